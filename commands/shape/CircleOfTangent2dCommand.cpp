#include "commands/shape/CircleOfTangent2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/shape/CircleCommandMessages.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureConstrainedCircle.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(CircleOfTangent2dCommand, CommandBase)

void CircleOfTangent2dCommand::SetupParameters()
{
    FeatureParameterItem shape;
    ConstrainedCircleCommandHelper::PrepareTangentItem(shape, itemShape, 10715, 10468);
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
    PointParameterItem centre;
    ShapeCommandHelper::PrepareItem(centre, itemCentre, 10719, 10452);
    PointParameterItem first;
    ShapeCommandHelper::PrepareItem(first, itemFirstPoint, 10723, 10461);
    PointParameterItem through;
    ShapeCommandHelper::PrepareItem(through, itemPointRadius, 10722, 10503);
    ShapeCommandHelper::AddAlternativesParameter(this, {&centre, &first, &through});
    PointParameterItem pick;
    ShapeCommandHelper::PrepareItem(pick, itemPick, 10735, 10502);
    ShapeCommandHelper::AddSingleItemParameter(this, pick);
}

BOOL CircleOfTangent2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex != 1 || nIndex >= GetParameterCount())
        return FALSE;
    const CommandParameter* pCondition = GetParameter(1);
    if (nAlternative == pCondition->GetCurrentIndex() || nAlternative < 0 || nAlternative >= pCondition->GetItemCount())
        return FALSE;
    const WORD wNew = pCondition->GetItem(nAlternative)->GetId();
    const WORD wCurrent = GetCurrentItemID(1);
    auto removeExtra = [this] {
        // The extra row stands before the pick point, which is always last.
        if (GetParameterCount() == 4) {
            if (m_pManager != nullptr)
                m_pManager->RemoveParameter(this, 2);
            else
                RemoveParameter(2);
        }
    };
    if (wNew == itemCentre) {
        removeExtra();
        return TRUE;
    }
    if (wNew != itemFirstPoint && wNew != itemPointRadius)
        return TRUE;
    if (wCurrent == itemFirstPoint || wCurrent == itemPointRadius)
        removeExtra();
    auto pParameter = std::make_unique<CommandParameter>();
    if (wNew == itemFirstPoint) {
        PointParameterItem second;
        ShapeCommandHelper::PrepareItem(second, itemSecondPoint, 10724, 10462);
        pParameter->AddItem(second);
    } else {
        LengthParameterItem radius;
        ShapeCommandHelper::PrepareItem(radius, itemRadius, 10750, 10501);
        radius.m_bHistory = TRUE;
        pParameter->AddItem(radius);
    }
    pParameter->SetCurrentIndex(0);
    const BOOL bInserted = m_pManager != nullptr ? m_pManager->InsertParameter(this, 2, pParameter.get())
                                                 : (InsertParameter(2, pParameter.get()) >= 0 ? TRUE : FALSE);
    if (bInserted)
        pParameter.release();
    return TRUE;
}

int CircleOfTangent2dCommand::Run(BOOL bPreview, UINT)
{
    using Helper = ConstrainedCircleCommandHelper;
    if (ShapeCommandHelper::GetDocument(this) == nullptr || GetParameterCount() < 3)
        return resultNothing;
    std::unique_ptr<Feature2dBase> shape;
    const int read = Helper::ReadShapes(this, bPreview, resultMissing, {{itemShape, &shape}});
    if (read != resultDone)
        return read;
    FeatureConstrainedCircle solver;
    BOOL bSolved = FALSE;
    RuVaPnt2d point;
    switch (GetCurrentItemID(1)) {
    case itemCentre:
        if (!Helper::ReadPoint(this, itemCentre, bPreview, point))
            return resultMissing;
        bSolved = solver.FindConstrainedCircle(shape.get(), point);
        break;
    case itemFirstPoint: {
        RuVaPnt2d second;
        if (!Helper::ReadPoint(this, itemFirstPoint, bPreview, point) ||
            !Helper::ReadPoint(this, itemSecondPoint, bPreview, second))
            return resultMissing;
        if (!bPreview && point.IsEqual(second, ShapeCommandHelper::kPointTolerance))
            return ShapeCommandHelper::Refuse(this, kMsgPointsCoincide, resultNothing);
        bSolved = solver.FindConstrainedCircle(shape.get(), point, second);
        break;
    }
    case itemPointRadius: {
        double radius = 0.0;
        if (!Helper::ReadPoint(this, itemPointRadius, bPreview, point) ||
            !Helper::ReadLength(this, itemRadius, bPreview, radius))
            return resultMissing;
        if (!bPreview && !(radius > 0.0))
            return ShapeCommandHelper::Refuse(this, kMsgLengthNotPositive, resultNothing);
        bSolved = solver.FindConstrainedCircle(shape.get(), point, radius);
        break;
    }
    default:
        return resultMissing;
    }
    Helper::Choice choice;
    choice.wPickItem = itemPick;
    choice.bSmallestFallback = TRUE;
    choice.nNoSolution = kMsgNoTangentCircle;
    return Helper::MakeSolution(this, solver, bSolved, bPreview, choice);
}

int CircleOfTangent2dCommand::OnInput(int) { return Run(FALSE, 0); }

void CircleOfTangent2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT nFlags)
{
    Run(TRUE, nFlags);
}

}  // namespace QZ2Command
