#pragma once
// A device context: draws through a QPainter on a bitmap (memory DC), on a printer or PDF
// device, or on a widget's paint-event painter, with the rules of the original platform:
// lines leave out their last pixel, rectangles keep their outline inside, raster
// operations (XOR and friends) work on the exact pixel values, and mapping modes map
// logical to device units.
//
// Surfaces with pixels (bitmaps, QImage devices) give exact results for every raster
// operation and draw text from glyph outlines, so a picture is the same on any machine
// with or without a display. On widget painters and printers the binary raster operations
// use Qt's raster composition modes and pixels cannot be read (GetPixel gives CLR_INVALID).

#include "platform/afx/CObject.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CSize.h"
#include "platform/afx/CString.h"
#include "platform/gdi/GdiTypes.h"

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPalette;
class CPen;
class CRgn;
class QImage;
class QPaintDevice;
class QPainter;
struct DcData;

class CDC : public CObject {
  DECLARE_DYNAMIC(CDC)
public:
  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;
  BOOL m_bPrinting = FALSE;

  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }
  // The object owning hDC, or a wrapper that lives as long as the context.
  static CDC* PASCAL FromHandle(HDC hDC);

  BOOL Attach(HDC hDC);
  HDC Detach();
  virtual BOOL DeleteDC();

  // A memory context (with a 1x1 monochrome bitmap until one is selected).
  BOOL CreateCompatibleDC(CDC* pDC);
  // An information context answering metric questions about the screen.
  BOOL CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData);
  // A context drawing on a device of ours: a QImage, a printer or a PDF writer. The device
  // must outlive the context. Printers and PDF writers set m_bPrinting.
  BOOL CreateFromPaintDevice(QPaintDevice* pDevice);
  // A context drawing through a painter that someone else began (a paint event). The painter
  // is returned to its state on DeleteDC. paintRect is the area being painted, in device units.
  BOOL CreateFromPainter(QPainter* pPainter, const RECT* paintRect = nullptr);
  // The painter under the context, for code that draws with Qt directly (null for an
  // information context). Drawing through it bypasses the context's raster operation.
  QPainter* GetQPainter();
  BOOL IsPrinting() const { return m_bPrinting; }

  // ---- printing ----
  int StartDoc(LPCTSTR lpszDocName);
  int StartPage();
  int EndPage();
  int EndDoc();
  int AbortDoc();

  // ---- objects ----
  CPen* SelectObject(CPen* pPen);
  CBrush* SelectObject(CBrush* pBrush);
  virtual CFont* SelectObject(CFont* pFont);
  CBitmap* SelectObject(CBitmap* pBitmap);
  int SelectObject(CRgn* pRgn);
  CGdiObject* SelectObject(CGdiObject* pObject);
  HGDIOBJ SelectObject(HGDIOBJ hObject);
  virtual CGdiObject* SelectStockObject(int nIndex);
  // Palettes change nothing on true-colour surfaces; selecting one hands back the previous.
  CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
  UINT RealizePalette();
  // A 50 % grey checker brush for drag frames.
  static CBrush* PASCAL GetHalftoneBrush();
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  virtual int SaveDC();
  virtual BOOL RestoreDC(int nSavedDC);

  // ---- attributes ----
  COLORREF GetTextColor() const;
  virtual COLORREF SetTextColor(COLORREF crColor);
  COLORREF GetBkColor() const;
  virtual COLORREF SetBkColor(COLORREF crColor);
  int GetBkMode() const;
  int SetBkMode(int nBkMode);
  int GetROP2() const;
  int SetROP2(int nDrawMode);
  UINT GetTextAlign() const;
  UINT SetTextAlign(UINT nFlags);
  int GetPolyFillMode() const;
  int SetPolyFillMode(int nPolyFillMode);
  int GetStretchBltMode() const;
  int SetStretchBltMode(int nStretchMode);
  int GetArcDirection() const;
  int SetArcDirection(int nArcDirection);
  COLORREF GetDCBrushColor() const;
  COLORREF SetDCBrushColor(COLORREF crColor);
  COLORREF GetDCPenColor() const;
  COLORREF SetDCPenColor(COLORREF crColor);
  int GetTextCharacterExtra() const;
  int SetTextCharacterExtra(int nCharExtra);
  CPoint GetBrushOrg() const;
  CPoint SetBrushOrg(int x, int y);
  CPoint SetBrushOrg(POINT point);
  COLORREF GetNearestColor(COLORREF crColor) const;

  // ---- mapping ----
  int GetMapMode() const;
  virtual int SetMapMode(int nMapMode);
  CPoint GetViewportOrg() const;
  virtual CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point);
  virtual CPoint OffsetViewportOrg(int nWidth, int nHeight);
  CSize GetViewportExt() const;
  virtual CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size);
  CPoint GetWindowOrg() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point);
  CPoint OffsetWindowOrg(int nWidth, int nHeight);
  CSize GetWindowExt() const;
  virtual CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size);
  void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
  void DPtoLP(LPRECT lpRect) const;
  void DPtoLP(LPSIZE lpSize) const;
  void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
  void LPtoDP(LPRECT lpRect) const;
  void LPtoDP(LPSIZE lpSize) const;
  void DPtoHIMETRIC(LPSIZE lpSize) const;
  void HIMETRICtoDP(LPSIZE lpSize) const;

  // ---- clipping ----
  virtual int GetClipBox(LPRECT lpRect) const;
  virtual BOOL PtVisible(int x, int y) const;
  BOOL PtVisible(POINT point) const;
  virtual BOOL RectVisible(LPCRECT lpRect) const;
  int SelectClipRgn(CRgn* pRgn);
  int SelectClipRgn(CRgn* pRgn, int nMode);
  int ExcludeClipRect(int x1, int y1, int x2, int y2);
  int ExcludeClipRect(LPCRECT lpRect);
  int IntersectClipRect(int x1, int y1, int x2, int y2);
  int IntersectClipRect(LPCRECT lpRect);
  int OffsetClipRgn(int x, int y);
  int OffsetClipRgn(SIZE size);
  // Copies the clip region (device units) into pRgn; 0 when there is none.
  int GetClipRgn(CRgn* pRgn) const;

  // ---- lines ----
  CPoint GetCurrentPosition() const;
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point);
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point);
  BOOL Polyline(const POINT* lpPoints, int nCount);
  BOOL PolylineTo(const POINT* lpPoints, int nCount);
  BOOL PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount);
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL ArcTo(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL PolyBezier(const POINT* lpPoints, int nCount);

  // ---- paths: figures drawn between BeginPath and EndPath are recorded, not drawn ----
  BOOL BeginPath();
  BOOL EndPath();
  BOOL AbortPath();
  BOOL CloseFigure();
  BOOL StrokePath();
  BOOL FillPath();
  BOOL StrokeAndFillPath();
  BOOL WidenPath();
  BOOL FlattenPath();
  BOOL SelectClipPath(int nMode);

  // ---- filled shapes ----
  BOOL Rectangle(int x1, int y1, int x2, int y2);
  BOOL Rectangle(LPCRECT lpRect);
  BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL RoundRect(LPCRECT lpRect, POINT point);
  BOOL Ellipse(int x1, int y1, int x2, int y2);
  BOOL Ellipse(LPCRECT lpRect);
  BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL Polygon(const POINT* lpPoints, int nCount);
  BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount);

  void FillRect(LPCRECT lpRect, CBrush* pBrush);
  void FrameRect(LPCRECT lpRect, CBrush* pBrush);
  void InvertRect(LPCRECT lpRect);
  BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
  BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
  BOOL InvertRgn(CRgn* pRgn);
  BOOL PaintRgn(CRgn* pRgn);
  void FillSolidRect(LPCRECT lpRect, COLORREF clr);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
  void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
  void DrawFocusRect(LPCRECT lpRect);
  BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
  BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);

  // ---- bitmaps ----
  BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight, DWORD dwRop);
  // Copies all source pixels except those of colour clrTransparent.
  BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                      int nSrcWidth, int nSrcHeight, UINT clrTransparent);
  // Blends the source over the destination: by a constant alpha, and with AC_SRC_ALPHA by
  // the source's own (premultiplied) alpha as well.
  BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);
  // Rectangles shaded between two corner colours (GRADIENT_FILL_RECT_H/V) or triangles.
  BOOL GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode);
  // Moves an inverted drag frame: erases the last one (if given) and draws the new one.
  void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = nullptr,
                    CBrush* pBrushLast = nullptr);
  COLORREF GetPixel(int x, int y) const;
  COLORREF GetPixel(POINT point) const;
  COLORREF SetPixel(int x, int y, COLORREF crColor);
  COLORREF SetPixel(POINT point, COLORREF crColor);
  BOOL SetPixelV(int x, int y, COLORREF crColor);
  BOOL SetPixelV(POINT point, COLORREF crColor);

  // ---- text ----
  virtual BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
  BOOL TextOut(int x, int y, const CString& str);
  virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                          LPINT lpDxWidths);
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths);
  virtual CSize TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
                              LPINT lpnTabStopPositions, int nTabOrigin);
  // Returns the height of the text (with DT_VCENTER or DT_BOTTOM: the offset from the
  // rectangle's top to the bottom of the text); DT_CALCRECT only measures into lpRect.
  virtual int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
  CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const;
  CSize GetOutputTextExtent(LPCTSTR lpszString, int nCount) const;
  CSize GetOutputTextExtent(const CString& str) const;
  CSize GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const;
  CSize GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const;
  BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
  BOOL GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const;
  int GetTextFace(int nCount, LPTSTR lpszFacename) const;
  int GetTextFace(CString& rString) const;
  BOOL GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const;
  // Draws text or a bitmap greyed out (DSS_DISABLED) or normally.
  BOOL DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText = TRUE,
                 int nTextLen = 0, CBrush* pBrush = nullptr);
  BOOL DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush = nullptr);
  BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush = nullptr);
  // Icons at their own size (see AfxSetIconImageProvider).
  BOOL DrawIcon(int x, int y, HICON hIcon);
  BOOL DrawIcon(POINT point, HICON hIcon);

  // ---- device ----
  int GetDeviceCaps(int nIndex) const;

protected:
  DcData* Data() const;
};
