#pragma once
// Draws sets of parallel lines along a base: a path entered point by point or a picked shape, with a
// number of lines on each side (0 to 256) at a spacing common to both sides or given per side, all in
// one undo step. The rows re-form as the counts and the spacing mode are given: the spacing-mode list
// exists only while both sides carry lines, and the spacings follow the chosen mode.

#include "command/CommandBase.h"

class Feature2dList;

namespace QZ2Command {

class MultiLine2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(MultiLine2dCommand)
public:
    enum : WORD {
        itemBaseLine = 0,    // whether the base itself is drawn
        itemFirstCount = 1,  // lines on the left
        itemSecondCount = 2, // lines on the right
        itemSpacingMode = 3, // common or per side
        itemSpacing = 4,
        itemFirstSpacing = 5,
        itemSecondSpacing = 6,
        itemPoints = 7,
        itemShape = 8,
    };
    static constexpr DWORD kShapeMask = 0x01800D1E;

    MultiLine2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;
    // The remembered spacing mode brings its own spacing rows with it.
    void LoadParameters() override;

private:
    // The lines of the values read (bPreview: nothing is changed, the cursor extends the path or stands
    // for the shape, counts above 1 shown as their outermost line). The result code, the reason for 3.
    int MakeLines(BOOL bPreview, Feature2dList*& pLines, UINT& nReason);
    BOOL InsertItemParameter(int nIndex, const ParameterItemBase& item);
    void RemoveItemParameter(WORD wId);
    // The per-side spacing rows in place of the common one when the mode list says so, before the
    // command is shown; TRUE when the rows changed.
    BOOL FormRememberedSpacingRows();
};

}  // namespace QZ2Command
