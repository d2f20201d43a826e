#pragma once
// Status-bar reasons of the dimension commands (string numbers).

#include "platform/afx/AfxTypes.h"

namespace QZ2Command {

constexpr UINT kMsgNotParallel = 11986;         // the picked shapes are not parallel, or end on both sides
constexpr UINT kMsgDimensionDirection = 11987;  // the points or shapes cannot be measured in this direction
constexpr UINT kMsgNoDimension = 11988;         // the values give no dimension (zero length, refused)

}  // namespace QZ2Command
