#pragma once
// Draws the common tangent of two picked curves (circles, arcs, ellipses, elliptic arcs); of the up to
// four, the one whose touching points lie nearest the two picks.

#include "command/CommandBase.h"

class Line2dFeature;

namespace QZ2Command {

class Tangent2Line2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Tangent2Line2dCommand)
public:
    enum : WORD { itemFirst = 0, itemSecond = 1 };
    static constexpr DWORD kCurveMask = 0x01800078;

    Tangent2Line2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

private:
    int MakeLine(BOOL bPreview, Line2dFeature*& pLine, UINT& nReason);
};

}  // namespace QZ2Command
