#pragma once
// A list of equally sized button images, cut from image strips (a bitmap of the language
// library or a file). Pixels of the transparent (mask) colour become transparent; images with
// an alpha channel keep it.

#include <memory>
#include <vector>

#include "platform/afx/CSize.h"
#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

class QImage;

class CBCGPToolBarImages {
public:
  CBCGPToolBarImages();
  ~CBCGPToolBarImages();
  CBCGPToolBarImages(const CBCGPToolBarImages&) = delete;
  CBCGPToolBarImages& operator=(const CBCGPToolBarImages&) = delete;

  // Replaces the images with the strip of bitmap resource uiResID / of an image file.
  BOOL Load(UINT uiResID, HINSTANCE hinstRes = nullptr, BOOL bAdd = FALSE);
  BOOL Load(LPCTSTR lpszBmpFileName, DWORD nIndex = 0);
  // Appends the images of a strip; returns the index of the first, -1 when nothing was added.
  int AddStrip(const QImage& strip);
  int AddImage(const QImage& image);
  // Changes an image in place.
  BOOL SetImage(int iIndex, const QImage& image);

  // A height of 0 takes the height of each strip.
  void SetImageSize(SIZE sizeImage, BOOL bUpdateCount = FALSE);
  CSize GetImageSize() const { return m_sizeImage; }
  // The mask colour; (COLORREF)-1 for none. Applied to strips loaded afterwards.
  void SetTransparentColor(COLORREF clrTransparent) { m_clrTransparent = clrTransparent; }
  COLORREF GetTransparentColor() const { return m_clrTransparent; }

  int GetCount() const;
  BOOL IsValid() const { return GetCount() > 0; }
  void Clear();
  // A copy of the image at iIndex; FALSE for an index out of range.
  BOOL GetImage(int iIndex, QImage& image) const;
  // What an icon looks like at cx x cy pixels (transparent where the icon is); FALSE for no icon.
  static BOOL GetIconImage(HICON hIcon, int cx, int cy, QImage& image);

private:
  struct Impl;
  std::unique_ptr<Impl> d;
  CSize m_sizeImage{16, 15};
  COLORREF m_clrTransparent = RGB(192, 192, 192);
  BOOL m_bSizeSet = FALSE;
};
