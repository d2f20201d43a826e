#pragma once
// A bitmap: colour (32 bits per pixel) or monochrome (1 bit per pixel).

#include <vector>

#include "platform/gdi/CGdiObject.h"

class CDC;
class QImage;

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
public:
  CBitmap() = default;

  static CBitmap* PASCAL FromHandle(HBITMAP hBitmap);
  operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }

  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) { return CreateCompatibleBitmap(pDC, nWidth, nHeight); }
  // The bitmap of number nIDResource from the language library (BMP, PNG or a bare DIB).
  BOOL LoadBitmap(UINT nIDResource);
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  // A bitmap from the bytes of an image file (BMP, PNG, JPEG ...) or a bare DIB.
  BOOL LoadFromData(const std::vector<BYTE>& data);

  int GetBitmap(BITMAP* pBitMap) const;
  DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
  DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);

  // The pixels as an image (a copy), and a bitmap made from an image (32 bits per pixel).
  QImage GetImage() const;
  BOOL CreateFromImage(const QImage& image);
};
