#pragma once
// Makes a shape parallel to a picked line or curve, at a typed distance on the side of a point or through
// a point, with the current attributes, in the active drawing. Stays for the next shape; a typed
// distance stays too.

#include "command/CommandBase.h"

class Feature2dBase;

namespace QZ2Command {

class Offset2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Offset2dCommand)
public:
    enum : WORD { itemShape = 0, itemDistance = 1, itemThrough = 2, itemSide = 3 };

    Offset2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // One picked-at-a-point shape of a kind that has a parallel.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

private:
    // The offset shape (the caller's) for the given values, the cursor standing in for an empty point;
    // NULL with *pMissing TRUE while input is missing.
    Feature2dBase* BuildOffset(const RuVaPnt2d* pCursor, BOOL* pMissing, BOOL* pGone);
};

}  // namespace QZ2Command
