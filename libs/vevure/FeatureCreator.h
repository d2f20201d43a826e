#pragma once
// Makes new shapes from construction values. Every Create... returns a new shape owned by the caller, with
// default attributes, or NULL when the values make no shape (coincident points, a zero length or radius,
// collinear points for a circle, ...). Angles are in degrees.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class AngularDimension2dFeature;
class Arc2dFeature;
class ArcDimension2dFeature;
class Balloon2dFeature;
class BalloonSetting;
class DiameterDimension2dFeature;
class Dimension2dFeatureBase;
class Lead2dFeature;
class LeadSetting;
class LinearDimension2dFeature;
class RadiusDimension2dFeature;
class DimensionSetting;
class Feature2dList;
class Hatch2dFeature;
class HatchSetting;
class Image2dFeature;
class PointMarker2dFeature;
class PointMarkerSetting;
class Text2dFeature;
class TextSetting;
class Tolerance2dFeature;
class BSplineCurve2dFeature;
class Circle2dFeature;
class Ellipse2dFeature;
class EllipseArc2dFeature;
class Feature2dBase;
class KcArrayOfGePnt2d;
class Line2dFeature;
class Polyline2dFeature;
class RuVaPnt2d;

class FeatureCreator
{
public:
    // How CreateArcFeature reads an end: its data points to a double angle (degrees), to a RuVaPnt2d whose
    // direction from the centre gives the angle, or to a shape whose meeting point with the circle nearest
    // the pick point gives it.
    enum ArcEndKind { ArcEndAngle = 0, ArcEndPoint = 1, ArcEndFeature = 2 };
    // Where the reference point of CreateRectanglePolylineFeature lies on the rectangle: rows bottom,
    // middle, top times columns left, centre, right.
    enum LocateAlignment {
        LocateBottomLeft = 0, LocateBottomCenter, LocateBottomRight,
        LocateMiddleLeft, LocateMiddleCenter, LocateMiddleRight,
        LocateTopLeft, LocateTopCenter, LocateTopRight
    };
    static constexpr int kMaxPolygonSides = 1024;

    // Lines.
    static Line2dFeature* CreateLineFeature(const RuVaPnt2d& start, const RuVaPnt2d& end);
    // From the start towards the end point, of the length.
    static Line2dFeature* CreateLineFeature(const RuVaPnt2d& start, double dLength, const RuVaPnt2d& end);
    // From the start at the angle, of the length; on the side of the end point (the angle turned half a turn
    // when the end point lies behind the start).
    static Line2dFeature* CreateLineFeature(const RuVaPnt2d& start, double dLength, double dAngleDeg,
                                            const RuVaPnt2d& end);
    // From the start at the angle to the foot of the end point on that direction.
    static Line2dFeature* CreateAngledLineFeature(double dAngleDeg, const RuVaPnt2d& start, const RuVaPnt2d& end);
    // From the start at the angle, of the length (negative lengths run the other way).
    static Line2dFeature* CreateAngledLineFeature(double dAngleDeg, const RuVaPnt2d& start, double dLength);
    // From the start to the end point's X (horizontal) or Y (vertical); the horizontal-vertical form takes the
    // axis along which the end point lies farther.
    static Line2dFeature* CreateHorizontalLineFeature(const RuVaPnt2d& start, const RuVaPnt2d& end);
    static Line2dFeature* CreateVerticalLineFeature(const RuVaPnt2d& start, const RuVaPnt2d& end);
    static Line2dFeature* CreateHorizontalVerticalLineFeature(const RuVaPnt2d& start, const RuVaPnt2d& end);
    // Of the length, towards the side of the direction point.
    static Line2dFeature* CreateHorizontalLineFeature(const RuVaPnt2d& start, double dLength, const RuVaPnt2d& dir);
    static Line2dFeature* CreateVerticalLineFeature(const RuVaPnt2d& start, double dLength, const RuVaPnt2d& dir);
    static Line2dFeature* CreateHorizontalVerticalLineFeature(const RuVaPnt2d& start, double dLength,
                                                              const RuVaPnt2d& dir);
    // The segment of a polyline nearest the pick point; NULL when the polyline has none.
    static Line2dFeature* CreateLineFeatureFromPolylineSegment(const Polyline2dFeature* pPolyline,
                                                              const RuVaPnt2d& pick);

    // Lines touching or square to a curve. On the shape: at the curve's point nearest the position point, along
    // the tangent (or the normal) to the foot of the end point. From a point: from the start point to the
    // touching point (or the foot of the perpendicular) nearest the pick point. Between two circles or arcs:
    // the common tangent whose touching points lie nearest the two pick points.
    static Line2dFeature* CreateTangentLineFeature(const Feature2dBase* pCurve, const RuVaPnt2d& position,
                                                   const RuVaPnt2d& end);
    static Line2dFeature* CreateTangentLineFeature(const RuVaPnt2d& start, const Feature2dBase* pCurve,
                                                   const RuVaPnt2d& pick);
    static Line2dFeature* CreateTangentLineFeature(const Feature2dBase* pCurve1, const RuVaPnt2d& pick1,
                                                   const Feature2dBase* pCurve2, const RuVaPnt2d& pick2);
    static Line2dFeature* CreatePerpendicularLineFeature(const Feature2dBase* pShape, const RuVaPnt2d& position,
                                                         const RuVaPnt2d& end);
    static Line2dFeature* CreatePerpendicularLineFeature(const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                         const RuVaPnt2d& pick);

    // Circles and arcs.
    static Circle2dFeature* CreateCircleFeature(const RuVaPnt2d& centre, double dRadius);
    static Circle2dFeature* CreateCircleFeature(const RuVaPnt2d& centre, const RuVaPnt2d& pointOnCircle);
    static Circle2dFeature* CreateCircleFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2, const RuVaPnt2d& p3);
    // An arc of the circle between the two ends (see ArcEndKind), counter-clockwise from start to end for
    // direction 0, clockwise for 1. NULL when an end cannot be found or both ends coincide.
    static Arc2dFeature* CreateArcFeature(const Circle2dFeature* pCircle, int nStartKind, const void* pStartData,
                                          const RuVaPnt2d& startPick, int nEndKind, const void* pEndData,
                                          const RuVaPnt2d& endPick, int nDirection = 0);
    // The arc from p1 through p2 to p3.
    static Arc2dFeature* CreateArcFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2, const RuVaPnt2d& p3);

    // Ellipses and B-splines.
    static Ellipse2dFeature* CreateEllipseFeature(const RuVaPnt2d& centre, double dRadius1, double dRadius2,
                                                  double dAngleDeg);
    // Tagged values: kind 0 a number (a length, or an angle in degrees) behind the pointer, kind 1 a
    // RuVaPnt2d. The first radius as a point is its distance from the centre; the second as a point its
    // distance from the first axis; the axis angle as a point the direction from the centre to it. The larger
    // radius becomes the major one.
    enum TaggedKind { TaggedNumber = 0, TaggedPoint = 1, TaggedFeature = 2 };
    static Ellipse2dFeature* CreateEllipseFeature(const RuVaPnt2d& centre, int nRadius1Kind, const void* pRadius1,
                                                  int nRadius2Kind, const void* pRadius2, int nAngleKind,
                                                  const void* pAngle);
    // The arc of the ellipse between a start and an end given as an angle (kind 0, the direction from the
    // centre in degrees), a point (kind 1, its direction from the centre) or a shape (kind 2, its meeting
    // point with the ellipse nearest the pick point); counter-clockwise for direction 0, clockwise for 1.
    static EllipseArc2dFeature* CreateEllipseArcFeature(const Ellipse2dFeature* pEllipse, int nStartKind,
                                                        const void* pStartData, const RuVaPnt2d& startPick,
                                                        int nEndKind, const void* pEndData, const RuVaPnt2d& endPick,
                                                        int nDirection = 0);
    static BSplineCurve2dFeature* CreateBSplineCurveFeatureByControlPoints(const KcArrayOfGePnt2d& points,
                                                                          int nDegree, BOOL bClosed);
    static BSplineCurve2dFeature* CreateBSplineCurveFeatureByInterpolatePoints(const KcArrayOfGePnt2d& points,
                                                                              BOOL bClosed);

    // Polylines; polygons are closed, their first vertex at the angle from the centre.
    static Polyline2dFeature* CreatePolylineFeature(const KcArrayOfGePnt2d& points, BOOL bClose = FALSE);
    // The closed rectangle with the two opposite corners.
    static Polyline2dFeature* CreatePolylineFeature(const RuVaPnt2d& corner1, const RuVaPnt2d& corner2);
    static Polyline2dFeature* CreateRectanglePolylineFeature(double dWidth, double dHeight, double dAngleDeg,
                                                             int nAlignment, const RuVaPnt2d& point);
    static Polyline2dFeature* CreateInscribedPolygonPolylineFeature(int nSides, const RuVaPnt2d& centre,
                                                                    double dRadius, double dAngleDeg);
    // The polygon round the circle of the radius (its sides touch the circle).
    static Polyline2dFeature* CreateCircumscribedPolygonPolylineFeature(int nSides, const RuVaPnt2d& centre,
                                                                        double dRadius, double dAngleDeg);
    static Polyline2dFeature* CreateOneSidePolygonPolylineFeature(int nSides, const RuVaPnt2d& centre,
                                                                  double dSide, double dAngleDeg);
    // The polygon with the side from p1 to p2, lying on the left of that side.
    static Polyline2dFeature* CreateVertexPolygonPolylineFeature(int nSides, const RuVaPnt2d& p1,
                                                                 const RuVaPnt2d& p2);

    // A shape parallel to a base (a line, the polyline segment at the base pick, an infinite or semi-infinite
    // line give a line; a circle or arc a concentric arc), offset by a distance on the side of a point or
    // through a point, from a start to an end: a point is brought onto the parallel (its foot, or its
    // direction from the centre); an angle (degrees) is a direction from the centre; a shape gives its meeting
    // point with the parallel nearest its pick (without a pick, nearest the base pick); a length runs along
    // the base's direction from the start (negative: back). Arcs run counter-clockwise from start to end.
    // NULL when the values make no shape: a start or end off the parallel, coincident ends, an angle for a
    // straight base, a length for a circular one.
    static Feature2dBase* CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          double dDistance, const RuVaPnt2d& side,
                                                          const RuVaPnt2d& start, const RuVaPnt2d& end);
    static Feature2dBase* CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          double dDistance, const RuVaPnt2d& side,
                                                          double dStartAngleDeg, const RuVaPnt2d& end);
    static Feature2dBase* CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          double dDistance, const RuVaPnt2d& side,
                                                          const Feature2dBase* pStart, const RuVaPnt2d& startPick,
                                                          const RuVaPnt2d& end);
    static Feature2dBase* CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          const RuVaPnt2d& through, const RuVaPnt2d& start,
                                                          const RuVaPnt2d& end);
    static Feature2dBase* CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          const RuVaPnt2d& through, double dStartAngleDeg,
                                                          const RuVaPnt2d& end);
    static Feature2dBase* CreateParallelFeatureByEndPoint(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          const RuVaPnt2d& through, const Feature2dBase* pStart,
                                                          const RuVaPnt2d& startPick, const RuVaPnt2d& end);
    static Feature2dBase* CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          double dDistance, const RuVaPnt2d& side,
                                                          const RuVaPnt2d& start, double dEndAngleDeg);
    static Feature2dBase* CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          double dDistance, const RuVaPnt2d& side,
                                                          double dStartAngleDeg, double dEndAngleDeg);
    static Feature2dBase* CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          double dDistance, const RuVaPnt2d& side,
                                                          const Feature2dBase* pStart, const RuVaPnt2d& startPick,
                                                          double dEndAngleDeg);
    static Feature2dBase* CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          const RuVaPnt2d& through, const RuVaPnt2d& start,
                                                          double dEndAngleDeg);
    static Feature2dBase* CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          const RuVaPnt2d& through, double dStartAngleDeg,
                                                          double dEndAngleDeg);
    static Feature2dBase* CreateParallelFeatureByEndAngle(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                          const RuVaPnt2d& through, const Feature2dBase* pStart,
                                                          const RuVaPnt2d& startPick, double dEndAngleDeg);
    static Feature2dBase* CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                            double dDistance, const RuVaPnt2d& side,
                                                            const RuVaPnt2d& start, const Feature2dBase* pEnd,
                                                            const RuVaPnt2d& endPick);
    static Feature2dBase* CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                            double dDistance, const RuVaPnt2d& side,
                                                            double dStartAngleDeg, const Feature2dBase* pEnd,
                                                            const RuVaPnt2d& endPick);
    static Feature2dBase* CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                            double dDistance, const RuVaPnt2d& side,
                                                            const Feature2dBase* pStart, const RuVaPnt2d& startPick,
                                                            const Feature2dBase* pEnd, const RuVaPnt2d& endPick);
    static Feature2dBase* CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                            const RuVaPnt2d& through, const RuVaPnt2d& start,
                                                            const Feature2dBase* pEnd, const RuVaPnt2d& endPick);
    static Feature2dBase* CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                            const RuVaPnt2d& through, double dStartAngleDeg,
                                                            const Feature2dBase* pEnd, const RuVaPnt2d& endPick);
    static Feature2dBase* CreateParallelFeatureByEndFeature(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                            const RuVaPnt2d& through, const Feature2dBase* pStart,
                                                            const RuVaPnt2d& startPick, const Feature2dBase* pEnd,
                                                            const RuVaPnt2d& endPick);
    static Feature2dBase* CreateParallelFeatureByLength(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                        double dDistance, const RuVaPnt2d& side, const RuVaPnt2d& start,
                                                        double dLength);
    static Feature2dBase* CreateParallelFeatureByLength(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                        double dDistance, const RuVaPnt2d& side,
                                                        const Feature2dBase* pStart, double dLength);
    static Feature2dBase* CreateParallelFeatureByLength(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                        const RuVaPnt2d& through, const RuVaPnt2d& start,
                                                        double dLength);
    static Feature2dBase* CreateParallelFeatureByLength(const Feature2dBase* pBase, const RuVaPnt2d& basePick,
                                                        const RuVaPnt2d& through, const Feature2dBase* pStart,
                                                        double dLength);

    // Lines from the start at an angle (degrees; or horizontal, vertical, or whichever of the two points
    // more nearly at the pick) to where they meet the shape, the meeting point nearest the pick.
    static Line2dFeature* CreateAngledLineFeature(double dAngleDeg, const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                  const RuVaPnt2d& pick);
    static Line2dFeature* CreateHorizontalLineFeature(const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                      const RuVaPnt2d& pick);
    static Line2dFeature* CreateVerticalLineFeature(const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                    const RuVaPnt2d& pick);
    static Line2dFeature* CreateHorizontalVerticalLineFeature(const RuVaPnt2d& start, const Feature2dBase* pShape,
                                                              const RuVaPnt2d& pick);

    // Dimensions with their definition points, value text (typed when bManualText is 1), text position (free at
    // the text point when the mode is not 0) and style. The layout of their parts is the drawing's. The
    // position-angle and state arguments are kept by the caller's style and not stored in the shape.
    static Dimension2dFeatureBase* CreateLinearDimensionFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                                                                double dProjectionLength, double dProjectionAngleDeg,
                                                                double dDimensionAngleDeg, BYTE bManualText,
                                                                const CString& strText, BYTE nTextPosMode,
                                                                const RuVaPnt2d& textPoint, int nParallel,
                                                                const DimensionSetting* pSetting, int nState,
                                                                int nPosAngle);
    static AngularDimension2dFeature* CreateAngularDimensionFeature(const RuVaPnt2d& centre, const RuVaPnt2d& p1,
                                                                    const RuVaPnt2d& p2, double dRadius,
                                                                    BYTE bManualText, const CString& strText,
                                                                    BYTE nTextPosMode, const RuVaPnt2d& textPoint,
                                                                    const DimensionSetting* pSetting, int nPosAngle);
    static ArcDimension2dFeature* CreateArcDimensionFeature(const RuVaPnt2d& centre, double dRadius,
                                                            double dStartAngleDeg, double dEndAngleDeg,
                                                            double dProjectionLength, BYTE bManualText,
                                                            const CString& strText, BYTE nTextPosMode,
                                                            const RuVaPnt2d& textPoint,
                                                            const DimensionSetting* pSetting, int nPosAngle);
    static DiameterDimension2dFeature* CreateDiameterDimensionFeature(const RuVaPnt2d& a, const RuVaPnt2d& b,
                                                                      BYTE bManualText, const CString& strText,
                                                                      BYTE nTextPosMode, const RuVaPnt2d& textPoint,
                                                                      const DimensionSetting* pSetting, int nPosAngle);
    static RadiusDimension2dFeature* CreateRadiusDimensionFeature(const RuVaPnt2d& dimPoint, const RuVaPnt2d& centre,
                                                                  BYTE bUserText, const CString& strText,
                                                                  BYTE nLeaderMode, const RuVaPnt2d& secondPoint,
                                                                  const DimensionSetting* pSetting, int nPosAngle);

    // Laying a dimension or leader out again after a change: the style, when given, is applied (defined
    // values only); a size scale other than 1 scales the sizes. Non-zero when the shape is valid afterwards.
    static int UpdateDimensionFeature(Dimension2dFeatureBase* pDimension, const DimensionSetting* pSetting = nullptr,
                                      int nFlag = 0, double dSizeScaleX = 1.0, double dSizeScaleY = 1.0);
    static BOOL UpdateLeadFeature(Lead2dFeature* pLead, const LeadSetting* pSetting = nullptr);
    // Moving the points of linear and parallel dimensions. A parallel dimension keeps measuring along its two
    // points; turning it by its dimension angle turns the second point about the first.
    static BOOL UpdateLinearDimensionFeatureByStartPoint(LinearDimension2dFeature* pDimension, const RuVaPnt2d& point);
    static BOOL UpdateLinearDimensionFeature(LinearDimension2dFeature* pDimension, const RuVaPnt2d& secondPoint,
                                             double dProjectionAngleDeg);
    static BOOL UpdateParallelDimensionFeatureByStartOrEndPoint(LinearDimension2dFeature* pDimension,
                                                                const RuVaPnt2d& point, int nStart);
    static BOOL UpdateParallelDimensionFeatureByDimensionAngle(LinearDimension2dFeature* pDimension,
                                                               double dAngleDeg);

    // A leader through the points (the first is the arrow tip) with the text at the last point, or free at the
    // text point when the mode is not 0; a balloon at the last point with its leader from the first. The
    // template's fields are copied first when given. NULL for fewer than two points (one for a balloon).
    static Lead2dFeature* CreateLeadFeature(const Lead2dFeature* pTemplate, const CString& strText,
                                            const KcArrayOfGePnt2d& points, int nMode, const RuVaPnt2d& textPoint,
                                            const LeadSetting* pSetting);
    static Balloon2dFeature* CreateBalloonFeature(const Balloon2dFeature* pTemplate, const CString& strText,
                                                  const KcArrayOfGePnt2d& points, const BalloonSetting* pSetting);

    // Hatches. The outer boundary is a point polygon (closed here when it is open) or a list of curves that
    // chain into a closed boundary; islands are given as nInner curve lists (with their pick points, kept for
    // callers that trim). NULL (or FALSE) when a boundary does not close.
    static Hatch2dFeature* CreateHatchFeature(const KcArrayOfGePnt2d& outerPoints, const Feature2dList* pInnerLists,
                                              const KcArrayOfGePnt2d* pInnerPicks, int nInner,
                                              const HatchSetting* pSetting);
    static Hatch2dFeature* CreateHatchFeature(const Feature2dList& outerList, const KcArrayOfGePnt2d& outerPicks,
                                              const Feature2dList* pInnerLists, const KcArrayOfGePnt2d* pInnerPicks,
                                              int nInner, const HatchSetting* pSetting);
    static BOOL CreateHatchFeature(Hatch2dFeature* pHatch, const Feature2dList* pInnerLists,
                                   const KcArrayOfGePnt2d* pInnerPicks, int nInner);

    // A picture of the image file (bmp, jpg, jpeg, png, tif, tiff) filling the rectangle of the two corners;
    // NULL for another kind of file, one that cannot be read or is empty, or corners that span no area.
    static Image2dFeature* CreateImageFeature(const CString& strPath, const RuVaPnt2d& corner1,
                                              const RuVaPnt2d& corner2);
    static BOOL IsSupportedImageType(const CString& strPath);

    // A shape parallel to the shape through the point / at the distance on the side of the point (see
    // FeatureOffsetting); NULL when there is none.
    static Feature2dBase* CreateOffsetFeature(const Feature2dBase* pFeature, const RuVaPnt2d& through);
    static Feature2dBase* CreateOffsetFeature(const Feature2dBase* pFeature, double dDistance, const RuVaPnt2d& side);

    // Parallels of the base: nFirst lines at multiples of dFirst on its left (outside for circles and arcs),
    // nSecond at multiples of dSecond on its right, each count 0-256; with nFlag 1 a copy of the base leads
    // the list. A new list owned by the caller, or NULL when any line cannot be made or none is asked for.
    static Feature2dList* CreateMultiLineFeature(const Feature2dBase* pBase, int nFirst, int nSecond, double dFirst,
                                                 double dSecond, int nFlag);
    static constexpr int kMaxMultiLines = 256;

    // Point markers: at the point, copying the template's fields when given, in the style when given.
    static PointMarker2dFeature* CreatePointMarkerFeature(const PointMarker2dFeature* pTemplate, const RuVaPnt2d& point,
                                                          const PointMarkerSetting* pSetting);
    // At the distance from the base, at the angle / towards the point.
    static PointMarker2dFeature* CreateRelativePointMarkerFeature(const RuVaPnt2d& base, double dDistance,
                                                                  double dAngleDeg);
    static PointMarker2dFeature* CreateRelativePointMarkerFeature(const RuVaPnt2d& base, double dDistance,
                                                                  const RuVaPnt2d& towards);
    // Markers where the two shapes' curves meet / where the shape's curve meets itself (polylines: segments
    // that are not neighbours, and a closed polyline's ends do not count), added to the list in the order
    // found; FALSE, the list unchanged, when there is none.
    static BOOL CreateIntersectionPointMarkerFeature(const Feature2dBase* pFirst, const Feature2dBase* pSecond,
                                                     Feature2dList& markers);
    static BOOL CreateIntersectionPointMarkerFeature(const Feature2dBase* pFeature, Feature2dList& markers);

    // Markers between p1 and p2, added to the list: mode 0 divides into the value's number of equal parts
    // (2-10000; a marker at each inner division point), mode 1 steps by the value as a pitch from p1 (a
    // marker at every step short of p2, at most 10000). FALSE, the list unchanged, when none can be made.
    static BOOL CreateDivisionPointMarkerFeature(const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nMode, double dValue,
                                                 Feature2dList& markers);
    static constexpr int kMaxDivisionMarkers = 10000;

    // A text of the style (NULL for an empty text), its layout rectangle following the text.
    static Text2dFeature* CreateTextFeature(const CString& strText, const RuVaPnt2d& point, double dAngleDeg,
                                            const TextSetting* pSetting);
    static Text2dFeature* CreateTextFeature(const CString& strText, const RuVaPnt2d& point, double dAngleDeg,
                                            const TextSetting& setting)
    {
        return CreateTextFeature(strText, point, dAngleDeg, &setting);
    }
    // A tolerance frame (NULL for an empty frame string), copying the template's fields when given.
    static Tolerance2dFeature* CreateToleranceFeature(const Tolerance2dFeature* pTemplate, const CString& strFrame,
                                                      const RuVaPnt2d& point, const DimensionSetting* pSetting);

private:
    // The ellipse's parameter (degrees) of the end that the tagged value gives.
    static BOOL GetEllipseEndParameter(const Ellipse2dFeature* pEllipse, int nKind, const void* pData,
                                       const RuVaPnt2d& pick, double& dParameterDeg);
    static BOOL GetArcEndAngle(const Circle2dFeature* pCircle, int nKind, const void* pData, const RuVaPnt2d& pick,
                               double& dAngleDeg);
    static Polyline2dFeature* CreateRegularPolygon(int nSides, const RuVaPnt2d& centre, double dCircumRadius,
                                                   double dAngleDeg);
};
