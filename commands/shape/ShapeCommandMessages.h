#pragma once
// String numbers of the reasons the shape commands give in the status bar when a run makes nothing.

#include "platform/afx/AfxTypes.h"

namespace QZ2Command {

constexpr UINT kMsgPointsCoincide = 11960;     // two points that must differ coincide
constexpr UINT kMsgNoLine = 11961;             // the values give no line
constexpr UINT kMsgShapeGone = 11962;          // the picked shape was deleted meanwhile
constexpr UINT kMsgRefusedByDrawing = 11963;   // the document did not take the shape
constexpr UINT kMsgLengthNotPositive = 11964;  // a length of 0 or less
constexpr UINT kMsgNoShape = 11965;            // the values give no shape
constexpr UINT kMsgSidesOutOfRange = 11966;    // a polygon's sides outside 3 to 1024
constexpr UINT kMsgTooFewPoints = 11967;       // too few points for the shape
constexpr UINT kMsgCountNotPositive = 11968;   // a count of 0 or less
constexpr UINT kMsgNoIntersection = 11969;     // the shapes do not meet
constexpr UINT kMsgScaleNotPositive = 11995;  // a scale of 0 or less, or not a number
constexpr UINT kMsgNoTangent = 11973;          // no tangent passes through the point
constexpr UINT kMsgNoPerpendicular = 11974;    // no perpendicular to the shape there
constexpr UINT kMsgSameCurve = 11975;          // both picks name one curve
constexpr UINT kMsgCountOutOfRange = 11976;    // a count outside 0 to 256
constexpr UINT kMsgPointRefused = 11977;       // a point that repeats or turns straight back
constexpr UINT kMsgSpacingNotPositive = 11978; // a spacing of 0 or less
constexpr UINT kMsgNoCommonTangent = 11979;   // two curves without a common tangent

}  // namespace QZ2Command
