#pragma once
// String numbers of the reasons the circle and arc commands give in the status bar when a run makes nothing.

#include "platform/afx/AfxTypes.h"

namespace QZ2Command {

constexpr UINT kMsgNoTangentCircle = 11980;  // the solver found no circle touching the shapes
constexpr UINT kMsgNoCircle = 11981;         // no circle fits the points and radius
constexpr UINT kMsgNoTangentArc = 11982;     // no arc touching the shapes
constexpr UINT kMsgNoArc = 11983;            // no arc fits the points and radius
constexpr UINT kMsgSameShapeTwice = 11984;   // both tangents of the two-shape arc are one pick
constexpr UINT kMsgPointsCollinear = 11985;  // three points on one line make no circle or arc

}  // namespace QZ2Command
