#pragma once
// Value types, enumerations and status codes of the GDI+ layer (namespace Gdiplus), with the
// numbers the system's code and its stored settings use.

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

// One GUID type with the structured-storage layer, so that code using both compiles.
#include "platform/ole/OleTypes.h"
typedef WORD LANGID;
typedef std::uint16_t UINT16;
typedef std::uint32_t UINT32;
typedef std::int16_t INT16;

namespace Gdiplus {

typedef float REAL;
typedef DWORD ARGB;
typedef INT PixelFormat;
typedef UINT GraphicsState;
typedef UINT GraphicsContainer;

enum Status {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};

enum Unit {
  UnitWorld = 0,
  UnitDisplay = 1,
  UnitPixel = 2,
  UnitPoint = 3,
  UnitInch = 4,
  UnitDocument = 5,
  UnitMillimeter = 6,
};

enum QualityMode { QualityModeInvalid = -1, QualityModeDefault = 0, QualityModeLow = 1, QualityModeHigh = 2 };

enum SmoothingMode {
  SmoothingModeInvalid = QualityModeInvalid,
  SmoothingModeDefault = QualityModeDefault,
  SmoothingModeHighSpeed = QualityModeLow,
  SmoothingModeHighQuality = QualityModeHigh,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
  SmoothingModeAntiAlias8x4 = SmoothingModeAntiAlias,
  SmoothingModeAntiAlias8x8 = 5,
};

enum InterpolationMode {
  InterpolationModeInvalid = QualityModeInvalid,
  InterpolationModeDefault = QualityModeDefault,
  InterpolationModeLowQuality = QualityModeLow,
  InterpolationModeHighQuality = QualityModeHigh,
  InterpolationModeBilinear = 3,
  InterpolationModeBicubic = 4,
  InterpolationModeNearestNeighbor = 5,
  InterpolationModeHighQualityBilinear = 6,
  InterpolationModeHighQualityBicubic = 7,
};

enum PixelOffsetMode {
  PixelOffsetModeInvalid = QualityModeInvalid,
  PixelOffsetModeDefault = QualityModeDefault,
  PixelOffsetModeHighSpeed = QualityModeLow,
  PixelOffsetModeHighQuality = QualityModeHigh,
  PixelOffsetModeNone = 3,
  PixelOffsetModeHalf = 4,
};

enum CompositingMode { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };

enum CompositingQuality {
  CompositingQualityInvalid = QualityModeInvalid,
  CompositingQualityDefault = QualityModeDefault,
  CompositingQualityHighSpeed = QualityModeLow,
  CompositingQualityHighQuality = QualityModeHigh,
  CompositingQualityGammaCorrected = 3,
  CompositingQualityAssumeLinear = 4,
};

enum TextRenderingHint {
  TextRenderingHintSystemDefault = 0,
  TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2,
  TextRenderingHintAntiAliasGridFit = 3,
  TextRenderingHintAntiAlias = 4,
  TextRenderingHintClearTypeGridFit = 5,
};

enum FillMode { FillModeAlternate = 0, FillModeWinding = 1 };

enum MatrixOrder { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };

enum CombineMode {
  CombineModeReplace = 0,
  CombineModeIntersect = 1,
  CombineModeUnion = 2,
  CombineModeXor = 3,
  CombineModeExclude = 4,
  CombineModeComplement = 5,
};

enum DashStyle {
  DashStyleSolid = 0,
  DashStyleDash = 1,
  DashStyleDot = 2,
  DashStyleDashDot = 3,
  DashStyleDashDotDot = 4,
  DashStyleCustom = 5,
};

enum DashCap { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };

enum LineCap {
  LineCapFlat = 0,
  LineCapSquare = 1,
  LineCapRound = 2,
  LineCapTriangle = 3,
  LineCapNoAnchor = 0x10,
  LineCapSquareAnchor = 0x11,
  LineCapRoundAnchor = 0x12,
  LineCapDiamondAnchor = 0x13,
  LineCapArrowAnchor = 0x14,
  LineCapCustom = 0xff,
  LineCapAnchorMask = 0xf0,
};

enum LineJoin { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };

enum PenAlignment { PenAlignmentCenter = 0, PenAlignmentInset = 1 };

enum PenType {
  PenTypeSolidColor = 0,
  PenTypeHatchFill = 1,
  PenTypeTextureFill = 2,
  PenTypePathGradient = 3,
  PenTypeLinearGradient = 4,
  PenTypeUnknown = -1,
};

enum BrushType {
  BrushTypeSolidColor = 0,
  BrushTypeHatchFill = 1,
  BrushTypeTextureFill = 2,
  BrushTypePathGradient = 3,
  BrushTypeLinearGradient = 4,
};

enum HatchStyle {
  HatchStyleHorizontal,
  HatchStyleVertical,
  HatchStyleForwardDiagonal,
  HatchStyleBackwardDiagonal,
  HatchStyleCross,
  HatchStyleDiagonalCross,
  HatchStyle05Percent,
  HatchStyle10Percent,
  HatchStyle20Percent,
  HatchStyle25Percent,
  HatchStyle30Percent,
  HatchStyle40Percent,
  HatchStyle50Percent,
  HatchStyle60Percent,
  HatchStyle70Percent,
  HatchStyle75Percent,
  HatchStyle80Percent,
  HatchStyle90Percent,
  HatchStyleLightDownwardDiagonal,
  HatchStyleLightUpwardDiagonal,
  HatchStyleDarkDownwardDiagonal,
  HatchStyleDarkUpwardDiagonal,
  HatchStyleWideDownwardDiagonal,
  HatchStyleWideUpwardDiagonal,
  HatchStyleLightVertical,
  HatchStyleLightHorizontal,
  HatchStyleNarrowVertical,
  HatchStyleNarrowHorizontal,
  HatchStyleDarkVertical,
  HatchStyleDarkHorizontal,
  HatchStyleDashedDownwardDiagonal,
  HatchStyleDashedUpwardDiagonal,
  HatchStyleDashedHorizontal,
  HatchStyleDashedVertical,
  HatchStyleSmallConfetti,
  HatchStyleLargeConfetti,
  HatchStyleZigZag,
  HatchStyleWave,
  HatchStyleDiagonalBrick,
  HatchStyleHorizontalBrick,
  HatchStyleWeave,
  HatchStylePlaid,
  HatchStyleDivot,
  HatchStyleDottedGrid,
  HatchStyleDottedDiamond,
  HatchStyleShingle,
  HatchStyleTrellis,
  HatchStyleSphere,
  HatchStyleSmallGrid,
  HatchStyleSmallCheckerBoard,
  HatchStyleLargeCheckerBoard,
  HatchStyleOutlinedDiamond,
  HatchStyleSolidDiamond,
  HatchStyleTotal,
  HatchStyleLargeGrid = HatchStyleCross,
  HatchStyleMin = HatchStyleHorizontal,
  HatchStyleMax = HatchStyleTotal - 1,
};

enum LinearGradientMode {
  LinearGradientModeHorizontal = 0,
  LinearGradientModeVertical = 1,
  LinearGradientModeForwardDiagonal = 2,
  LinearGradientModeBackwardDiagonal = 3,
};

enum WrapMode { WrapModeTile = 0, WrapModeTileFlipX = 1, WrapModeTileFlipY = 2, WrapModeTileFlipXY = 3, WrapModeClamp = 4 };

enum FontStyle {
  FontStyleRegular = 0,
  FontStyleBold = 1,
  FontStyleItalic = 2,
  FontStyleBoldItalic = 3,
  FontStyleUnderline = 4,
  FontStyleStrikeout = 8,
};

enum StringAlignment { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };

enum StringTrimming {
  StringTrimmingNone = 0,
  StringTrimmingCharacter = 1,
  StringTrimmingWord = 2,
  StringTrimmingEllipsisCharacter = 3,
  StringTrimmingEllipsisWord = 4,
  StringTrimmingEllipsisPath = 5,
};

enum StringFormatFlags {
  StringFormatFlagsDirectionRightToLeft = 0x00000001,
  StringFormatFlagsDirectionVertical = 0x00000002,
  StringFormatFlagsNoFitBlackBox = 0x00000004,
  StringFormatFlagsDisplayFormatControl = 0x00000020,
  StringFormatFlagsNoFontFallback = 0x00000400,
  StringFormatFlagsMeasureTrailingSpaces = 0x00000800,
  StringFormatFlagsNoWrap = 0x00001000,
  StringFormatFlagsLineLimit = 0x00002000,
  StringFormatFlagsNoClip = 0x00004000,
};

enum HotkeyPrefix { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };

enum ImageType { ImageTypeUnknown = 0, ImageTypeBitmap = 1, ImageTypeMetafile = 2 };

enum ImageLockMode { ImageLockModeRead = 1, ImageLockModeWrite = 2, ImageLockModeUserInputBuf = 4 };

enum RotateFlipType {
  RotateNoneFlipNone = 0,
  Rotate90FlipNone = 1,
  Rotate180FlipNone = 2,
  Rotate270FlipNone = 3,
  RotateNoneFlipX = 4,
  Rotate90FlipX = 5,
  Rotate180FlipX = 6,
  Rotate270FlipX = 7,
  RotateNoneFlipY = Rotate180FlipX,
  Rotate180FlipXY = RotateNoneFlipNone,
};

enum ColorAdjustType { ColorAdjustTypeDefault = 0, ColorAdjustTypeBitmap = 1 };

enum CoordinateSpace { CoordinateSpaceWorld = 0, CoordinateSpacePage = 1, CoordinateSpaceDevice = 2 };

enum FlushIntention { FlushIntentionFlush = 0, FlushIntentionSync = 1 };

enum CustomLineCapType { CustomLineCapTypeDefault = 0, CustomLineCapTypeAdjustableArrow = 1 };

// Pixel formats: index | bits per pixel << 8 | flags, as the system stores them.
constexpr PixelFormat PixelFormatIndexed = 0x00010000;
constexpr PixelFormat PixelFormatGDI = 0x00020000;
constexpr PixelFormat PixelFormatAlpha = 0x00040000;
constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
constexpr PixelFormat PixelFormatCanonical = 0x00200000;
constexpr PixelFormat PixelFormatUndefined = 0;
constexpr PixelFormat PixelFormatDontCare = 0;
constexpr PixelFormat PixelFormat1bppIndexed = 1 | (1 << 8) | PixelFormatIndexed | PixelFormatGDI;
constexpr PixelFormat PixelFormat8bppIndexed = 3 | (8 << 8) | PixelFormatIndexed | PixelFormatGDI;
constexpr PixelFormat PixelFormat24bppRGB = 8 | (24 << 8) | PixelFormatGDI;
constexpr PixelFormat PixelFormat32bppRGB = 9 | (32 << 8) | PixelFormatGDI;
constexpr PixelFormat PixelFormat32bppARGB = 10 | (32 << 8) | PixelFormatAlpha | PixelFormatGDI | PixelFormatCanonical;
constexpr PixelFormat PixelFormat32bppPARGB = 11 | (32 << 8) | PixelFormatAlpha | PixelFormatPAlpha | PixelFormatGDI;

inline UINT GetPixelFormatSize(PixelFormat f) { return (f >> 8) & 0xff; }

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct GdiplusStartupOutput {
  void* NotificationHook = nullptr;
  void* NotificationUnhook = nullptr;
};

class Size;
class SizeF;

class Point {
public:
  Point() = default;
  Point(INT x, INT y) : X(x), Y(y) {}
  Point operator+(const Point& o) const { return Point(X + o.X, Y + o.Y); }
  Point operator-(const Point& o) const { return Point(X - o.X, Y - o.Y); }
  BOOL Equals(const Point& o) const { return X == o.X && Y == o.Y; }
  INT X = 0, Y = 0;
};

class PointF {
public:
  PointF() = default;
  PointF(REAL x, REAL y) : X(x), Y(y) {}
  PointF(const Point& p) : X(REAL(p.X)), Y(REAL(p.Y)) {}
  PointF operator+(const PointF& o) const { return PointF(X + o.X, Y + o.Y); }
  PointF operator-(const PointF& o) const { return PointF(X - o.X, Y - o.Y); }
  BOOL Equals(const PointF& o) const { return X == o.X && Y == o.Y; }
  REAL X = 0, Y = 0;
};

class Size {
public:
  Size() = default;
  Size(INT w, INT h) : Width(w), Height(h) {}
  BOOL Empty() const { return Width == 0 && Height == 0; }
  INT Width = 0, Height = 0;
};

class SizeF {
public:
  SizeF() = default;
  SizeF(REAL w, REAL h) : Width(w), Height(h) {}
  BOOL Empty() const { return Width == 0 && Height == 0; }
  REAL Width = 0, Height = 0;
};

class Rect {
public:
  Rect() = default;
  Rect(INT x, INT y, INT w, INT h) : X(x), Y(y), Width(w), Height(h) {}
  Rect(const Point& p, const Size& s) : X(p.X), Y(p.Y), Width(s.Width), Height(s.Height) {}
  INT GetLeft() const { return X; }
  INT GetTop() const { return Y; }
  INT GetRight() const { return X + Width; }
  INT GetBottom() const { return Y + Height; }
  BOOL IsEmptyArea() const { return Width <= 0 || Height <= 0; }
  BOOL Contains(INT x, INT y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
  BOOL Equals(const Rect& r) const { return X == r.X && Y == r.Y && Width == r.Width && Height == r.Height; }
  void Inflate(INT dx, INT dy) { X -= dx; Y -= dy; Width += 2 * dx; Height += 2 * dy; }
  void Offset(INT dx, INT dy) { X += dx; Y += dy; }
  INT X = 0, Y = 0, Width = 0, Height = 0;
};

class RectF {
public:
  RectF() = default;
  RectF(REAL x, REAL y, REAL w, REAL h) : X(x), Y(y), Width(w), Height(h) {}
  RectF(const PointF& p, const SizeF& s) : X(p.X), Y(p.Y), Width(s.Width), Height(s.Height) {}
  RectF(const Rect& r) : X(REAL(r.X)), Y(REAL(r.Y)), Width(REAL(r.Width)), Height(REAL(r.Height)) {}
  REAL GetLeft() const { return X; }
  REAL GetTop() const { return Y; }
  REAL GetRight() const { return X + Width; }
  REAL GetBottom() const { return Y + Height; }
  void GetLocation(PointF* p) const { *p = PointF(X, Y); }
  void GetSize(SizeF* s) const { *s = SizeF(Width, Height); }
  BOOL IsEmptyArea() const { return Width <= 0 || Height <= 0; }
  BOOL Contains(REAL x, REAL y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
  BOOL Equals(const RectF& r) const { return X == r.X && Y == r.Y && Width == r.Width && Height == r.Height; }
  void Inflate(REAL dx, REAL dy) { X -= dx; Y -= dy; Width += 2 * dx; Height += 2 * dy; }
  void Offset(REAL dx, REAL dy) { X += dx; Y += dy; }
  REAL X = 0, Y = 0, Width = 0, Height = 0;
};

class Color {
public:
  Color() = default;
  Color(BYTE r, BYTE g, BYTE b) : Argb(MakeARGB(255, r, g, b)) {}
  Color(BYTE a, BYTE r, BYTE g, BYTE b) : Argb(MakeARGB(a, r, g, b)) {}
  Color(ARGB argb) : Argb(argb) {}
  BYTE GetA() const { return BYTE(Argb >> 24); }
  BYTE GetAlpha() const { return GetA(); }
  BYTE GetR() const { return BYTE(Argb >> 16); }
  BYTE GetRed() const { return GetR(); }
  BYTE GetG() const { return BYTE(Argb >> 8); }
  BYTE GetGreen() const { return GetG(); }
  BYTE GetB() const { return BYTE(Argb); }
  BYTE GetBlue() const { return GetB(); }
  ARGB GetValue() const { return Argb; }
  void SetValue(ARGB argb) { Argb = argb; }
  void SetFromCOLORREF(COLORREF rgb) { Argb = MakeARGB(255, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)); }
  COLORREF ToCOLORREF() const { return RGB(GetR(), GetG(), GetB()); }
  static ARGB MakeARGB(BYTE a, BYTE r, BYTE g, BYTE b) {
    return (ARGB(a) << 24) | (ARGB(r) << 16) | (ARGB(g) << 8) | ARGB(b);
  }

  enum : ARGB {
    Transparent = 0x00FFFFFF,
    Black = 0xFF000000,
    White = 0xFFFFFFFF,
    Red = 0xFFFF0000,
    Green = 0xFF008000,
    Lime = 0xFF00FF00,
    Blue = 0xFF0000FF,
    Yellow = 0xFFFFFF00,
    Cyan = 0xFF00FFFF,
    Magenta = 0xFFFF00FF,
    Gray = 0xFF808080,
    DarkGray = 0xFFA9A9A9,
    LightGray = 0xFFD3D3D3,
    Silver = 0xFFC0C0C0,
    Navy = 0xFF000080,
    Maroon = 0xFF800000,
    Olive = 0xFF808000,
    Purple = 0xFF800080,
    Teal = 0xFF008080,
    Orange = 0xFFFFA500,
    DarkBlue = 0xFF00008B,
    DarkRed = 0xFF8B0000,
    DarkGreen = 0xFF006400,
    WhiteSmoke = 0xFFF5F5F5,
  };

protected:
  ARGB Argb = 0xFF000000;
};

class CharacterRange {
public:
  CharacterRange() = default;
  CharacterRange(INT first, INT length) : First(first), Length(length) {}
  INT First = 0, Length = 0;
};

class BitmapData {
public:
  UINT Width = 0;
  UINT Height = 0;
  INT Stride = 0;
  Gdiplus::PixelFormat PixelFormat = 0;
  void* Scan0 = nullptr;
  UINT_PTR Reserved = 0;
};

// A 5x5 colour transform: [r g b a 1] * m, the channels as fractions of 1.
struct ColorMatrix {
  REAL m[5][5];
};

enum ColorMatrixFlags { ColorMatrixFlagsDefault = 0, ColorMatrixFlagsSkipGrays = 1, ColorMatrixFlagsAltGray = 2 };

struct EncoderParameter {
  GUID Guid;
  ULONG NumberOfValues;
  ULONG Type;
  void* Value;
};

struct EncoderParameters {
  UINT Count;
  EncoderParameter Parameter[1];
};

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};

}  // namespace Gdiplus
