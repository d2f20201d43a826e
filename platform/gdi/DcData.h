#pragma once
// The state behind a device context handle. Internal to the drawing layer.
//
// Drawing goes through a QPainter in device units; the context maps logical
// coordinates itself. On a bitmap the painter is opened lazily and closed before any
// direct pixel work (raster operations, GetPixel, BitBlt), so the two never overlap.

#include <functional>
#include <memory>
#include <vector>

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRegion>

#include "platform/gdi/GdiObjectData.h"

class CDC;
class QPaintDevice;

enum class DcKind { Memory, Device, Painter, Info };

struct DcState {
  gdi::Ref pen, brush, font, bitmap;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = TA_LEFT | TA_TOP;
  int polyFillMode = ALTERNATE;
  int stretchMode = BLACKONWHITE;
  int arcDirection = AD_COUNTERCLOCKWISE;
  int mapMode = MM_TEXT;
  QPoint windowOrg, viewportOrg;
  QSize windowExt{1, 1}, viewportExt{1, 1};
  bool hasClip = false;
  QRegion clip;  // device units
  QPoint curPos;  // logical
  QPoint brushOrg;
  COLORREF dcBrushColor = RGB(255, 255, 255);
  COLORREF dcPenColor = RGB(0, 0, 0);
  int charExtra = 0;
};

struct DcData {
  explicit DcData(DcKind k);
  ~DcData();
  DcData(const DcData&) = delete;
  DcData& operator=(const DcData&) = delete;

  DcKind kind;
  CDC* owner = nullptr;
  std::unique_ptr<CDC> tempWrapper;
  DcState st;
  std::vector<DcState> saved;

  QPaintDevice* device = nullptr;  // Device: the device drawn on
  QPainter* extPainter = nullptr;  // Painter: a painter begun by someone else
  std::unique_ptr<QPainter> own;   // a painter we began
  QRect paintRect;                 // Painter: the area being painted
  bool pageOpen = false;
  // A path bracket: between BeginPath and EndPath figures are recorded (in device units,
  // outlines through pixel centres) instead of drawn.
  bool pathOpen = false;
  bool pathDone = false;
  QPainterPath gdiPath;
  void recordPath(const QPainterPath& p, bool connect);
  unsigned painterGeneration = 0;  // counts the painters we began, so holders notice a new one
  int dpiX = 96, dpiY = 96;

  HDC handle() { return reinterpret_cast<HDC>(this); }
  static DcData* Lookup(HDC h);
  static DcData* New(DcKind kind);
  static void Delete(DcData* d);

  // ---- surface ----
  // The pixels drawn on (the selected bitmap or the image device), or null.
  QImage* surface() const;
  bool mono() const;
  QRect deviceBounds() const;
  // A painter set up with the context's clip; null for an information context.
  QPainter* painter();
  // Closes our painter so the pixels can be read or written directly.
  void flush();
  // Pixels for direct work: the surface, detached from any painter, or null. Say whether
  // they will be written (a DIB section's bits then wait for GdiFlush).
  QImage* pixels(bool write = true);
  void applyClip(QPainter& p) const;
  // The clip in device units intersected with the device (what may be touched).
  QRegion effectiveClip() const;

  // ---- mapping ----
  double sx() const { return double(st.viewportExt.width()) / st.windowExt.width(); }
  double sy() const { return double(st.viewportExt.height()) / st.windowExt.height(); }
  QPointF toDevF(double x, double y) const;
  QPoint toDev(int x, int y) const;
  QPoint toDev(const QPoint& p) const { return toDev(p.x(), p.y()); }
  QPoint toLog(int x, int y) const;
  // A logical rectangle in device units, normalized.
  QRect rectToDev(int l, int t, int r, int b) const;
  void setMapMode(int mode);
  void fixIsotropic();

  // ---- objects ----
  GdiObjectData* pen() const { return st.pen.get(); }
  GdiObjectData* brush() const { return st.brush.get(); }
  GdiObjectData* font() const { return st.font.get(); }
  COLORREF penColor() const;
  COLORREF brushColor() const;
  // Colours as they land on this surface (black or white on a monochrome bitmap).
  QRgb outColor(COLORREF c) const;
  bool hasPen() const;
  bool hasBrush() const;
  // The pen's width in device pixels (at least 1).
  int penDeviceWidth() const;
  bool thinPen() const { return penDeviceWidth() <= 1; }
  QBrush qbrush(GdiObjectData* b, COLORREF solid) const;
  QBrush qbrush() const { return qbrush(brush(), brushColor()); }
  QPen wideQPen() const;
  QFont qfont() const;

  // ---- rendering with the binary raster operation ----
  // Runs draw on a painter in device units. With a raster operation other than copying,
  // draw paints on a transparent layer covering bounds which is then combined with the
  // pixels; on surfaces without pixel access Qt's composition modes stand in.
  void render(const QRect& bounds, const std::function<void(QPainter&)>& draw);
  // Thin-pen pixels of a polyline in device units (GDI leaves out each segment's last
  // pixel); the style pattern runs on across segments. Gap pixels go to gaps.
  void rasterizeThin(const std::vector<QPoint>& pts, bool closed, QPolygon& on, QPolygon& gaps) const;
  // Strokes a polyline in device units with the current pen.
  void strokePolyline(const std::vector<QPoint>& pts, bool closed);
  // Strokes a closed or open path (curves) with the current pen; path coordinates name
  // pixels (the line runs through their centres).
  void strokePath(const QPainterPath& path);
  // Fills a path with the current brush.
  void fillPath(const QPainterPath& path);

  // ---- pixels ----
  static DWORD Rop2(int rop, DWORD pen, DWORD dst);
  static DWORD Rop3(DWORD rop, DWORD pat, DWORD src, DWORD dst);
  // The pattern of a brush over a device rectangle, aligned to the brush origin.
  QImage patternImage(const QRect& r) const;
};
