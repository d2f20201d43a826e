#pragma once
// A list of equally sized images (with transparency) that list, tree and combo controls
// draw their items' icons from. Images come from bitmaps, with a mask bitmap or a colour
// that stands for transparent, typically a strip in the language library.

#include "platform/afx/CObject.h"
#include "platform/afx/CPoint.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/win/WinTypes.h"

class CBitmap;
class CDC;
class CWnd;
struct AfxImageListData;
typedef AfxImageListData* HIMAGELIST;

#define ILC_MASK 0x0001
#define ILC_COLOR 0x0000
#define ILC_COLORDDB 0x00FE
#define ILC_COLOR4 0x0004
#define ILC_COLOR8 0x0008
#define ILC_COLOR16 0x0010
#define ILC_COLOR24 0x0018
#define ILC_COLOR32 0x0020
#define ILD_NORMAL 0x0000
#define ILD_TRANSPARENT 0x0001
#define ILD_MASK 0x0010
#define ILD_BLEND25 0x0002
#define ILD_BLEND50 0x0004
#define ILD_SELECTED ILD_BLEND50
#define ILD_FOCUS ILD_BLEND25
#define ILD_OVERLAYMASK 0x0F00
#define INDEXTOOVERLAYMASK(i) ((i) << 8)
#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

class CImageList : public CObject {
  DECLARE_DYNAMIC(CImageList)
public:
  CImageList();
  ~CImageList() override;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  static CImageList* PASCAL FromHandle(HIMAGELIST h);

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // The images of a bitmap resource of the language library cut into squares cx wide;
  // crMask is the transparent colour (CLR_DEFAULT: the top left pixel's, CLR_NONE: none).
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL DeleteImageList();

  int GetImageCount() const;
  BOOL GetIconSize(int& cx, int& cy) const;
  // Adds the bitmap cut into images; returns the index of the first, -1 on failure.
  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon);
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
  BOOL Remove(int nImage);
  COLORREF SetBkColor(COLORREF cr);
  COLORREF GetBkColor() const;
  BOOL SetOverlayImage(int nImage, int nOverlay);
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);

  // Dragging an image over windows: one drag at a time, its picture following the points
  // given in the client coordinates of the window it was entered into.
  BOOL BeginDrag(int nImage, CPoint ptHotSpot);
  static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point);
  static BOOL PASCAL DragMove(CPoint pt);
  static BOOL PASCAL DragLeave(CWnd* pWndLock);
  static BOOL PASCAL DragShowNolock(BOOL bShow);
  static void PASCAL EndDrag();
  // Where the drag picture's top left corner is on the screen now, and whether it shows.
  static BOOL PASCAL GetDragPosition(POINT* pScreenTopLeft);

private:
  bool m_owned = false;
};
