#pragma once
// Draws rectangles as closed polylines: by two opposite corners, or (choosing the width in the first row)
// by width, height, angle and which of its nine points lies on the placement point, the size kept for the
// next placements.

#include "command/CommandBase.h"

class Polyline2dFeature;

namespace QZ2Command {

class Rectangle2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Rectangle2dCommand)
public:
    enum : WORD {
        itemCorner1 = 0,
        itemCorner2 = 1,
        itemWidth = 2,
        itemHeight = 3,
        itemAngle = 4,
        itemPosition = 5,
        itemPlacement = 6,
    };
    // The position chosen when nothing is remembered: the centre.
    static constexpr int kDefaultPosition = 4;

    Rectangle2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

private:
    void AddSecondCorner();
    void AddSizeRows();
};

}  // namespace QZ2Command
