#include "commands/edit/RotateArrangeCopy2dCommand.h"

#include <cmath>
#include <memory>
#include <vector>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/IntegerParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/edit/RectangleArrangeCopy2dCommand.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Draw2dDocument.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(RotateArrangeCopy2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kCentreCaption = 10719;
constexpr UINT kOrientationCaption = 10820;
constexpr UINT kOrientationChoices = 10829;
constexpr UINT kLayoutCaption = 10821;
constexpr UINT kLayoutChoices = 10842;
constexpr UINT kBaseCaption = 10728;
constexpr UINT kTotalCaption = 10775;
constexpr UINT kStepCaption = 10776;
constexpr UINT kNumberCaption = 10802;
// The angle tolerance: 1e-12 radians in degrees.
constexpr double kT = 5.729577951308232e-11;

std::unique_ptr<ParameterItemBase> MakeItem(WORD wId)
{
    switch (wId) {
    case RotateArrangeCopy2dCommand::itemBase: {
        auto point = std::make_unique<PointParameterItem>();
        ShapeCommandHelper::PrepareItem(*point, wId, kBaseCaption, 0);
        return point;
    }
    case RotateArrangeCopy2dCommand::itemNumber: {
        auto number = std::make_unique<IntegerParameterItem>();
        ShapeCommandHelper::PrepareItem(*number, wId, kNumberCaption, 0);
        return number;
    }
    default: {
        auto angle = std::make_unique<AngleParameterItem>();
        ShapeCommandHelper::PrepareItem(*angle, wId,
                                        wId == RotateArrangeCopy2dCommand::itemTotalAngle ? kTotalCaption : kStepCaption,
                                        0);
        angle->m_bHistory = TRUE;
        return angle;
    }
    }
}

ListParameterItem ListItem(WORD wId, UINT nCaption, UINT nChoices)
{
    ListParameterItem list;
    ShapeCommandHelper::PrepareItem(list, wId, nCaption, 0);
    list.SetItemsFromStringId(nChoices);
    list.SetValue(0);
    list.SetDefaultValue(0);
    list.m_bNoDefault = FALSE;
    list.m_bClearable = FALSE;
    list.m_nRetentionMode = 2;
    return list;
}

}  // namespace

void RotateArrangeCopy2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, 0, EditCommandHelper::kAllKindsButOle,
                                          FALSE, 0);
    PointParameterItem centre;
    ShapeCommandHelper::PrepareItem(centre, itemCentre, kCentreCaption, 0);
    ShapeCommandHelper::AddSingleItemParameter(this, centre);
    ShapeCommandHelper::AddSingleItemParameter(this, ListItem(itemOrientation, kOrientationCaption, kOrientationChoices));
    ShapeCommandHelper::AddSingleItemParameter(this, ListItem(itemLayout, kLayoutCaption, kLayoutChoices));
    ShapeCommandHelper::AddSingleItemParameter(this, *MakeItem(itemTotalAngle));
    ShapeCommandHelper::AddSingleItemParameter(this, *MakeItem(itemNumber));
}

void RotateArrangeCopy2dCommand::EnsureParameter(WORD wId, BOOL bWanted, int nInsertAfter)
{
    const int index = FindParameterIndex(wId);
    if (!bWanted) {
        if (index >= 0)
            m_pManager != nullptr ? m_pManager->RemoveParameter(this, index) : RemoveParameter(index);
        return;
    }
    if (index >= 0)
        return;
    auto pParameter = std::make_unique<CommandParameter>();
    pParameter->AddItem(*MakeItem(wId));
    pParameter->SetCurrentIndex(0);
    BOOL bAdded = FALSE;
    if (nInsertAfter < 0)
        bAdded = m_pManager != nullptr ? m_pManager->AddParameter(this, pParameter.get())
                                       : AddParameter(pParameter.get()) >= 0;
    else
        bAdded = m_pManager != nullptr ? m_pManager->InsertParameter(this, nInsertAfter + 1, pParameter.get())
                                       : InsertParameter(nInsertAfter + 1, pParameter.get()) >= 0;
    if (bAdded)
        pParameter.release();
}

void RotateArrangeCopy2dCommand::FollowLists(WORD wGiven)
{
    int value = 0;
    const auto* pList = dynamic_cast<const ListParameterItem*>(FindItem(wGiven));
    if (pList == nullptr || !pList->GetValue(value))
        return;
    if (wGiven == itemOrientation) {
        EnsureParameter(itemBase, value != 0, FindParameterIndex(itemOrientation));
        return;
    }
    // The order after the list: the first angle right behind it, the second value at the end.
    EnsureParameter(itemStepAngle, value != layoutTotalAndNumber, -1);
    EnsureParameter(itemTotalAngle, value != layoutStepAndNumber, -1);
    EnsureParameter(itemNumber, value != layoutTotalAndStep, -1);
    const int list = FindParameterIndex(itemLayout);
    const WORD first = value == layoutStepAndNumber ? itemStepAngle : itemTotalAngle;
    const WORD second = value == layoutTotalAndStep ? itemStepAngle : itemNumber;
    if (FindParameterIndex(first) != list + 1 || FindParameterIndex(second) != list + 2) {
        EnsureParameter(first, FALSE, -1);
        EnsureParameter(second, FALSE, -1);
        EnsureParameter(first, TRUE, list);
        EnsureParameter(second, TRUE, -1);
    }
}

BOOL RotateArrangeCopy2dCommand::Plan(int nLayout, int nNumber, double dTotal, double dStep, int& nPositions,
                                      double& dStepOut)
{
    nPositions = 0;
    dStepOut = 0.0;
    switch (nLayout) {
    case layoutTotalAndNumber:
        if (nNumber < 2 || std::fabs(dTotal) < kT || std::fabs(dTotal) - kT > 360.0)
            return FALSE;
        nPositions = nNumber;
        // A full turn: the last copy must not fall on the source.
        dStepOut = std::fabs(std::fabs(dTotal) - 360.0) < kT ? dTotal / nNumber : dTotal / (nNumber - 1);
        if (std::fabs(dStepOut) < kT)
            return FALSE;
        break;
    case layoutStepAndNumber:
        if (nNumber < 2 || std::fabs(dStep) * nNumber + 1.7453292519943295e-14 > 360.0)
            return FALSE;
        nPositions = nNumber;
        dStepOut = dStep;
        break;
    case layoutTotalAndStep: {
        if (std::fabs(dTotal) * RuVa::DegToRad < 1e-12 || std::fabs(dTotal) - kT > 360.0 || std::fabs(dStep) < kT ||
            std::fabs(dStep) - kT > 360.0 || (dTotal > 0) != (dStep > 0) || std::fabs(dStep) > std::fabs(dTotal))
            return FALSE;
        const int n = static_cast<int>(dTotal / dStep);
        nPositions = n + 1;
        if (std::fabs(std::fabs(dTotal) - std::fabs(n * dStep)) < kT && nPositions > 2 &&
            std::fabs(std::fabs(dTotal) - 360.0) < kT)
            nPositions = n;
        dStepOut = dStep;
        break;
    }
    default:
        return FALSE;
    }
    return nPositions >= 2 ? TRUE : FALSE;
}

int RotateArrangeCopy2dCommand::OnInput(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetParameterCount()) {
        const WORD given = GetParameterItem(nIndex)->GetId();
        if (given == itemOrientation || given == itemLayout) {
            int value = 0;
            const auto* pList = static_cast<const ListParameterItem*>(GetParameterItem(nIndex));
            if (!pList->GetValue(value))
                return resultNothing;
            FollowLists(given);
        }
    }
    int layout = 0;
    const auto* pLayout = dynamic_cast<const ListParameterItem*>(FindItem(itemLayout));
    if (pLayout == nullptr || !pLayout->GetValue(layout))
        return resultNothing;
    int number = 2;
    if (const auto* pNumber = dynamic_cast<const IntegerParameterItem*>(FindItem(itemNumber))) {
        if (pNumber->IsEmpty() || !pNumber->GetValue(number))
            return resultMissing;
        if (number < 2)
            return resultNothing;
    }
    double angles[2] = {0.0, 0.0};
    const WORD angleIds[2] = {itemTotalAngle, itemStepAngle};
    for (int k = 0; k < 2; ++k) {
        const auto* pAngle = dynamic_cast<const AngleParameterItem*>(FindItem(angleIds[k]));
        if (pAngle == nullptr)
            continue;
        if (pAngle->IsEmpty() || !pAngle->GetValue(angles[k]))
            return resultMissing;
        if (std::fabs(angles[k]) < kT || std::fabs(angles[k]) > 360.0 + kT)
            return resultNothing;
    }
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    CArray<FeatureLayout> shapes;
    RuVaPnt2d centre;
    if (pDocument == nullptr || !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;
    if (!EditCommandHelper::GetWorldPoint(this, itemCentre, centre))
        return resultMissing;
    int orientation = 0;
    const auto* pOrientation = dynamic_cast<const ListParameterItem*>(FindItem(itemOrientation));
    if (pOrientation == nullptr || !pOrientation->GetValue(orientation))
        return resultNothing;
    RuVaPnt2d base = centre;
    if (FindItem(itemBase) != nullptr && !EditCommandHelper::GetWorldPoint(this, itemBase, base))
        return resultMissing;
    if (layout == layoutTotalAndStep && ((angles[0] > kT && angles[1] < kT) || (angles[0] < kT && angles[1] > kT)))
        return resultNothing;

    int positions = 0;
    double step = 0.0;
    if (!Plan(layout, number, angles[0], angles[1], positions, step))
        return resultConditional;
    std::vector<RectangleArrangeCopy2dCommand::Position> copies;
    for (int k = 1; k < positions; ++k) {
        const double turn = k * step;
        if (orientation == 0) {
            copies.push_back({centre, centre, turn, k});
        } else {
            const double a = turn * RuVa::DegToRad;
            const RuVaVec2d v = base - centre;
            const RuVaPnt2d to(centre.X() + v.X() * std::cos(a) - v.Y() * std::sin(a),
                               centre.Y() + v.X() * std::sin(a) + v.Y() * std::cos(a));
            copies.push_back({base, to, 0.0, k});
        }
    }
    return RectangleArrangeCopy2dCommand::CopyAtPositions(pDocument, m_pManager, shapes, copies, positions - 1)
               ? resultDone
               : resultConditional;
}

}  // namespace QZ2Command
