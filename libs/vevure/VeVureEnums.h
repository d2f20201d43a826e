#pragma once
// Enumerations shared by the settings, tables and text conversions of the data model. Where a value
// is stored in a setting, -1 marks "undefined" (a value in which a multiple selection differs).

enum LengthUnitFormatType {
    LengthUnitDecimal = 0,         // 12.50
    LengthUnitFeetInchFraction = 1,  // 1'-2 1/2", inches in steps of 1/2^precision
    LengthUnitFeetInchDecimal = 2,   // 1'-2.50"
    LengthUnitExponent = 3,          // 1.25E+01
    LengthUnitFraction = 4           // 12 1/2, in steps of 1/2^precision
};

enum AngleUnitFormatType {
    AngleUnitDegree = 0,     // 45.5
    AngleUnitDegMinSec = 1,  // 45d30'00"
    AngleUnitRadian = 2,     // 0.7941r
    AngleUnitGrad = 3        // 50.5556g
};

enum NumericTextFormatType { NumericTextUnknown = 0, NumericTextNumber = 1, NumericTextPoint = 2 };

// 0: a typed point is absolute unless it starts with '@'; 1: relative unless it starts with '#'.
enum PointParameterInputMode { PointInputAbsolute = 0, PointInputRelative = 1 };

enum PointMarkerType {
    PointMarkerDot = 0, PointMarkerPlus = 1, PointMarkerSmallDot = 2, PointMarkerCross = 3,
    PointMarkerCircle = 4, PointMarkerTriangle = 5, PointMarkerSquare = 6, PointMarkerCirclePlus = 7,
    PointMarkerCircleCross = 8, PointMarkerStar = 9
};
constexpr int kPointMarkerTypeCount = 10;

// Arrow heads as the arrow choosers number them (Arrow2dFeature::GetHeadPieces draws them).
enum ArrowType {
    ArrowNone = 0, ArrowClosed = 1, ArrowSquare = 2, ArrowCircle = 3, ArrowCircleOnCentre = 4,
    ArrowFilledSquare = 5, ArrowFilled = 6, ArrowFilledCircle = 7, ArrowIntegral = 8, ArrowOpen = 9,
    ArrowOblique = 10, ArrowClosedThrough = 11, ArrowFilledDatum = 12, ArrowDatum = 13
};
constexpr int kArrowTypeCount = 14;

enum DimArrowPosition { DimArrowInside = 0, DimArrowOutside = 1, DimArrowAuto = 2 };
enum DimProjectionLineMode { DimProjectionOffset = 0, DimProjectionFixedLength = 1 };
enum DimValuePosHorizonPos {
    DimValueHorizonCenter = 0, DimValueHorizonStart = 1, DimValueHorizonEnd = 2,
    DimValueHorizonOutsideStart = 3, DimValueHorizonOutsideEnd = 4, DimValueHorizonFree = 5,
    DimValueHorizonAuto = 6
};
constexpr int kDimValuePosHorizonPosCount = 7;
enum DimValueVerticalPos { DimValueAbove = 0, DimValueOnLine = 1, DimValueBelow = 2 };
enum DimValuePosAngleType { DimValueAlongLine = 0, DimValueHorizontal = 1, DimValueFixedAngle = 2 };
// How the whole part of a value is grouped in threes.
enum DimSeparateTextType { DimSeparateNone = 0, DimSeparateComma = 1, DimSeparateSpace = 2 };
enum DimAddTextStepType { DimAddTextOneStep = 0, DimAddTextTwoSteps = 1 };
enum TextHorizonArrangeType { TextHorizonLeft = 0, TextHorizonCenter = 1, TextHorizonRight = 2 };
enum TextVerticalArrangeType { TextVerticalTop = 0, TextVerticalMiddle = 1, TextVerticalBottom = 2 };
enum DimToleranceType {
    DimToleranceNone = 0, DimToleranceSymmetric = 1, DimToleranceDeviation = 2, DimToleranceLimits = 3,
    DimToleranceFitClass = 4, DimToleranceFitClassDeviation = 5, DimToleranceBasic = 6
};
constexpr int kDimToleranceTypeCount = 7;
enum NotSettledArrowPosMode { NotSettledArrowInside = 0, NotSettledArrowOutside = 1, NotSettledArrowTextOutside = 2 };
// How the extension lines of arc-length dimensions run, and how their value text is marked.
enum ArcDimProjectionLineOption { ArcDimProjectionParallel = 0, ArcDimProjectionRadial = 1 };
enum ArcDimTextOption { ArcDimTextArcMark = 0, ArcDimTextNoMark = 1, ArcDimTextPrefixMark = 2 };

// Where a lead's text sits and how it is turned.
enum LeadTextAngleType { LeadTextHorizontal = 0, LeadTextFixedAngle = 1, LeadTextAlongLead = 2 };
enum LeadTextVerticalOrient { LeadTextAbove = 0, LeadTextMiddle = 1, LeadTextBelow = 2 };
enum BalloonType { BalloonCircle = 0, BalloonRectangle = 1 };

enum HatchFeatureType { HatchSolid = 0, HatchBuiltInPattern = 1, HatchUserDefined = 2 };
// The built-in hatch patterns, 0 to 52.
enum HatchPatternType { HatchPatternFirst = 0, HatchPatternLast = 52 };
constexpr int kHatchPatternTypeCount = 53;

enum GridDrawType { GridDrawDots = 0, GridDrawLines = 1, GridDrawCrosses = 2 };

// How dash patterns and line widths show on screen. As printed: paper millimetres scaled by the zoom.
// Fixed: millimetres at screen resolution, whatever the zoom. Solid: no dashes. Thin: one pixel.
enum LinePitchDisplayMode { LinePitchAsPrinted = 0, LinePitchFixed = 1, LinePitchSolid = 2 };
enum LineWidthDisplayMode { LineWidthAsPrinted = 0, LineWidthThin = 1, LineWidthFixed = 2 };
// A triangle cap ends a line in a point half its width beyond the end.
enum LineCapMode { LineCapFlat = 0, LineCapSquare = 1, LineCapRound = 2, LineCapTriangle = 3 };
enum LineJoinMode { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2 };
enum LinePitchProportionalMode { LinePitchAbsolute = 0, LinePitchProportional = 1 };

// The placement of a rectangle against a point (FeatureCreator::LocateAlignment) and the ways a shape
// meets a pick polygon (FeatureSelector::FeatureMatchType) belong to the classes that use them.
// The turning sense of arcs, as Arc2dFeature::Direction numbers it.
enum ArcDirection { ArcCounterClockwise = 0, ArcClockwise = 1 };
enum TrimMode { TrimInside = 0, TrimOutside = 1 };
enum GraphicsMode { GraphicsModeStandard = 0, GraphicsModeSmooth = 1 };
enum ViewType { ViewTypePaper = 0, ViewTypePart = 1, ViewTypeLayerTable = 2, ViewTypeComponentEdit = 4 };
