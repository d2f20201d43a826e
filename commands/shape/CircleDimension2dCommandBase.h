#pragma once
// What the radius and diameter dimension commands share: a picked circle or arc, the value-text rows, a
// second mode row with its point, and the placement point; the centre is the reference point while the
// placement is given. The kinds build their own dimension from the shape and the placement.

#include "command/CommandBase.h"

class Draw2dDocument;
class Feature2dBase;

namespace QZ2Command {

class CircleDimension2dCommandBase : public CommandBase
{
public:
    enum : WORD {
        itemShape = 0,
        itemTextMode = 1,
        itemText = 2,
        itemTextPosMode = 5,
        itemTextPoint = 6,
        itemPosition = 7,
    };

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    BOOL GetReferencePoint(int nIndex, RuVaPnt2d& point) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;

    // The dimension of the circle or arc (in the active layout's coordinates) for the placement point:
    // added (0), drawn (1) or only its value text computed (2). FALSE when no dimension can be made there.
    virtual BOOL BuildDimension(const Feature2dBase* pShape, const int* pTextMode, CString& strText,
                                const RuVaPnt2d& position, BYTE nTextPosMode, const RuVaPnt2d& textPoint,
                                int nAction) = 0;

protected:
    // The prompt of the shape row, the one thing the kinds ask differently.
    explicit CircleDimension2dCommandBase(UINT nShapePromptId) : m_nShapePromptId(nShapePromptId) {}

private:
    int Run(BOOL bPreview, int nIndex);

    UINT m_nShapePromptId;
};

}  // namespace QZ2Command
