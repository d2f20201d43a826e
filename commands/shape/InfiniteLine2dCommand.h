#pragma once
// Draws construction lines through a base point and a direction point: an infinite line, or a
// semi-infinite line that starts at the base point (every identifier but the infinite line's).

#include "command/CommandBase.h"

class RuVaDir2d;

namespace QZ2Command {

class InfiniteLine2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(InfiniteLine2dCommand)
public:
    enum : WORD { itemBasePoint = 0, itemDirectionPoint = 1 };

    InfiniteLine2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // Makes the line through the point in the direction (bSemi: starting there) and adds it in one undo
    // step (ShapeCommandHelper::actionAdd) or draws it as the rubber band.
    BOOL BuildLine(const RuVaPnt2d& base, const RuVaDir2d& direction, BOOL bSemi, int nAction);

private:
    BOOL IsSemi() const;
};

}  // namespace QZ2Command
