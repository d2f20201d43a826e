#pragma once
// The flat drawing-object functions (CreatePen, GetStockObject, DeleteObject ...) and the
// few device-context functions that code calls with a bare HDC.

#include "platform/afx/CRect.h"
#include "platform/gdi/GdiTypes.h"

class QImage;

// ---- objects ---------------------------------------------------------------------------
HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* plpen);
HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP hbm);
HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
HFONT CreateFontIndirect(const LOGFONTW* lplf);
HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                 DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                 DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName);
// A bitmap of nWidth x nHeight; bits (rows padded to 16 bits, as device-dependent bitmaps
// are) may be null. 1 bit per pixel makes a monochrome bitmap.
HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
HBITMAP CreateBitmapIndirect(const BITMAP* pbm);
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
// A top-down or bottom-up DIB of 1, 4, 8, 24 or 32 bits per pixel (BI_RGB or BI_BITFIELDS);
// bits may be null for a cleared bitmap.
HBITMAP CreateDIBitmapFromInfo(const BITMAPINFO* pbmi, const void* pBits);
// A bitmap from a packed DIB (header, colour table, bits) as the clipboard and resources
// carry it, read from untrusted bytes: every size is checked, and null means the data is
// damaged or of a kind not read (compressed, 16 bits per pixel).
HBITMAP CreateBitmapFromPackedDib(const void* data, size_t size);
// A bitmap whose pixels the caller reaches through *ppvBits (1, 4, 8, 24 or 32 bits per
// pixel, top-down or bottom-up). Bits written by the caller are seen by drawing once the
// bitmap is selected or GdiFlush is called; drawing reaches the bits at GdiFlush (as the
// original asks before the bits are touched after drawing).
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                         DWORD offset);
// Copies scan lines of a bitmap out as a DIB (24 or 32 bits per pixel, either direction).
// With null bits and biBitCount 0 only the header is filled in.
int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage);
int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse);
// Draws a DIB; the source rectangle counts from the DIB's lower left corner for bottom-up DIBs.
int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                  int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop);
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse);
LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits);
LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits);

HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
HRGN CreateRectRgnIndirect(const RECT* lprect);
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
HRGN CreateEllipticRgnIndirect(const RECT* lprect);
HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode);
int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);
int OffsetRgn(HRGN hrgn, int x, int y);
int GetRgnBox(HRGN hrgn, LPRECT lprc);
BOOL PtInRegion(HRGN hrgn, int x, int y);
BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);

HGDIOBJ GetStockObject(int i);
BOOL DeleteObject(HGDIOBJ ho);
int GetObject(HGDIOBJ h, int c, LPVOID pv);
DWORD GetObjectType(HGDIOBJ h);

// System colours come from a fixed light palette so pictures look the same everywhere.
DWORD GetSysColor(int nIndex);
HBRUSH GetSysColorBrush(int nIndex);

// ---- device contexts -------------------------------------------------------------------
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
int GetDeviceCaps(HDC hdc, int index);
BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm);
BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl);
// How many characters fit in nMaxExtent (lpnFit), the extent after each character (lpnDx,
// c entries) and the whole string's extent; null outputs are skipped.
BOOL GetTextExtentExPoint(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                          LPSIZE lpSize);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF SetBkColor(HDC hdc, COLORREF color);
int SetBkMode(HDC hdc, int mode);
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
int DrawText(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format);
// The window layer says what an icon looks like at a size (0 x 0: its own size); false when
// the handle is no icon. Without a provider icons draw nothing.
typedef bool (*KcIconImageProvider)(HICON hIcon, int cx, int cy, QImage& out);
void AfxSetIconImageProvider(KcIconImageProvider provider);
BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon);
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags);
// The finished path of a context as a region (the path is used up).
HRGN PathToRegion(HDC hdc);
// Brings DIB sections' bits and pictures together (see CreateDIBSection).
BOOL GdiFlush();
// An information context for the screen (null driver) answers metric questions.
HDC CreateIC(LPCWSTR pszDriver, LPCWSTR pszDevice, LPCWSTR pszPort, const void* pdm);
