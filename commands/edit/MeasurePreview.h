#pragma once
// The rubber bands of the measure commands: a temporary line or polyline in colour 3 and line type 1 on
// the current layer, drawn once and deleted.

#include "platform/afx/AfxTypes.h"

class KcArrayOfGePnt2d;
class RuVaPnt2d;

namespace QZ2Command {

class CommandBase;

class MeasurePreview
{
public:
    // "The picked shape no longer exists."
    static constexpr UINT kShapeGoneMessage = 11962;

    // Nothing for points closer than 1e-7. Width number -1 draws with the shape's own width 0.
    static void DrawLine(CommandBase* pCommand, const RuVaPnt2d& p0, const RuVaPnt2d& p1, short nWidthNo);
    static void DrawPolyline(CommandBase* pCommand, const KcArrayOfGePnt2d& points);
};

}  // namespace QZ2Command
