#include "commands/shape/DimensionCommandHelper.h"

#include <cmath>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

namespace {

std::unique_ptr<ParameterItemBase> MakeList(WORD wId, UINT nCaption, UINT nPrompt, UINT nChoices)
{
    auto list = std::make_unique<ListParameterItem>();
    ShapeCommandHelper::PrepareItem(*list, wId, nCaption, nPrompt);
    list->SetItemsFromText(LoadResourceString(nChoices));
    list->SetValue(0);
    list->SetDefaultValue(0);
    list->m_nRetentionMode = 2;
    list->m_bClearable = FALSE;
    return list;
}

}  // namespace

std::unique_ptr<ParameterItemBase> DimensionCommandHelper::MakeTextModeItem(WORD wId)
{
    return MakeList(wId, 10812, 10360, 10830);
}

std::unique_ptr<ParameterItemBase> DimensionCommandHelper::MakeTextPosModeItem(WORD wId)
{
    return MakeList(wId, 10813, 10361, 10831);
}

std::unique_ptr<ParameterItemBase> DimensionCommandHelper::MakeTextItem(WORD wId)
{
    auto text = std::make_unique<TextParameterItem>();
    ShapeCommandHelper::PrepareItem(*text, wId, 10788, 10363);
    text->m_bAcceptEmptyText = TRUE;
    return text;
}

std::unique_ptr<ParameterItemBase> DimensionCommandHelper::MakePointItem(WORD wId, UINT nCaption, UINT nPrompt)
{
    auto point = std::make_unique<PointParameterItem>();
    ShapeCommandHelper::PrepareItem(*point, wId, nCaption, nPrompt);
    return point;
}

void DimensionCommandHelper::InsertRow(CommandBase* pCommand, int nIndex, const ParameterItemBase& item)
{
    auto pParameter = std::make_unique<CommandParameter>();
    pParameter->AddItem(item);
    pParameter->SetCurrentIndex(0);
    CommandManager* pManager = pCommand->GetManager();
    const BOOL bInserted = pManager != nullptr ? pManager->InsertParameter(pCommand, nIndex, pParameter.get())
                                               : (pCommand->InsertParameter(nIndex, pParameter.get()) >= 0);
    if (bInserted)
        pParameter.release();
}

void DimensionCommandHelper::RemoveRowOf(CommandBase* pCommand, WORD wItem)
{
    const int index = pCommand->FindParameterIndex(wItem);
    if (index < 0)
        return;
    if (pCommand->GetManager() != nullptr)
        pCommand->GetManager()->RemoveParameter(pCommand, index);
    else
        pCommand->RemoveParameter(index);
}

BOOL DimensionCommandHelper::ReadList(const CommandBase* pCommand, WORD wId, int& value)
{
    const auto* pList = dynamic_cast<const ListParameterItem*>(pCommand->FindItem(wId));
    return pList != nullptr && !pList->IsEmpty() && pList->GetValue(value);
}

int DimensionCommandHelper::FollowLists(CommandBase* pCommand, int nIndex, const TextItems& items)
{
    if (nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return CommandBase::resultDone;
    const WORD wGiven = pCommand->GetCurrentItemID(nIndex);
    int value = 0;
    if (wGiven == items.wTextMode) {
        if (!ReadList(pCommand, items.wTextMode, value))
            return CommandBase::resultNothing;
        if (value == 1 && pCommand->FindParameterIndex(items.wText) < 0)
            InsertRow(pCommand, nIndex + 1, *MakeTextItem(items.wText));
        else if (value != 1)
            RemoveRowOf(pCommand, items.wText);
    }
    if (wGiven == items.wTextPosMode) {
        if (!ReadList(pCommand, items.wTextPosMode, value))
            return CommandBase::resultNothing;
        if (value == 0)
            RemoveRowOf(pCommand, items.wTextPoint);
        else if (pCommand->FindParameterIndex(items.wTextPoint) < 0)
            InsertRow(pCommand, pCommand->GetParameterCount(), *MakePointItem(items.wTextPoint, 10789, 10364));
    }
    return CommandBase::resultDone;
}

int DimensionCommandHelper::ReadText(CommandBase* pCommand, const TextItems& items, BOOL bPreview, int& nMode,
                                     CString& text)
{
    (void)bPreview;  // the typed text is read alike while previewing
    nMode = 0;
    text.Empty();
    const ParameterItemBase* pMode = pCommand->FindItem(items.wTextMode);
    if (pMode == nullptr || pMode->IsEmpty())
        return CommandBase::resultMissing;
    if (!ReadList(pCommand, items.wTextMode, nMode))
        return CommandBase::resultNothing;
    if (nMode != 1)
        return CommandBase::resultDone;
    const int ti = pCommand->FindParameterIndex(items.wText);
    if (ti < 0 || pCommand->IsParameterEmpty(ti))
        return CommandBase::resultDone;
    TextParameterItem t;
    if (!pCommand->GetParameterValue(ti, t) || !t.GetValue(text))
        return CommandBase::resultNothing;
    return CommandBase::resultDone;
}

int DimensionCommandHelper::ReadPlacement(CommandBase* pCommand, WORD wPosition, const TextItems& items,
                                          BOOL bPreview, RuVaPnt2d& position, int& nPosMode, RuVaPnt2d& textPoint)
{
    const int pi = pCommand->FindParameterIndex(wPosition);
    if (pi < 0 || (!bPreview && pCommand->IsParameterEmpty(pi)))
        return CommandBase::resultMissing;
    if (!ConstrainedCircleCommandHelper::ReadPoint(pCommand, wPosition, bPreview, position))
        return bPreview ? CommandBase::resultMissing : CommandBase::resultNothing;
    const ParameterItemBase* pMode = pCommand->FindItem(items.wTextPosMode);
    if (pMode == nullptr || pMode->IsEmpty())
        return CommandBase::resultMissing;
    if (!ReadList(pCommand, items.wTextPosMode, nPosMode))
        return CommandBase::resultNothing;
    textPoint = position;
    if (nPosMode != 1 && nPosMode != 2) {
        nPosMode = 0;
        return CommandBase::resultDone;
    }
    const int tpi = pCommand->FindParameterIndex(items.wTextPoint);
    if (tpi < 0 || (!bPreview && pCommand->IsParameterEmpty(tpi)))
        return CommandBase::resultMissing;
    if (!ConstrainedCircleCommandHelper::ReadPoint(pCommand, items.wTextPoint, bPreview, textPoint))
        return bPreview ? CommandBase::resultMissing : CommandBase::resultNothing;
    return CommandBase::resultDone;
}

void DimensionCommandHelper::FillTypedText(CommandBase* pCommand, WORD wText, const CString& text)
{
    const int ti = pCommand->FindParameterIndex(wText);
    auto* pText = ti >= 0 ? dynamic_cast<TextParameterItem*>(pCommand->GetParameterItem(ti)) : nullptr;
    if (pText == nullptr)
        return;
    pText->SetValue(text);
    if (pCommand->GetManager() != nullptr)
        pCommand->GetManager()->UpdateParameterInBar(pCommand, ti, TRUE);
}

BOOL DimensionCommandHelper::PrepareSetting(const CommandBase* pCommand, DimensionSetting& setting)
{
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand);
    if (pDocument == nullptr || pDocument->GetDimensionSetting() == nullptr)
        return FALSE;
    setting.Copy(*pDocument->GetDimensionSetting());
    double sx = 1.0, sy = 1.0;
    if (!pCommand->GetLayoutInverseScale(&sx, &sy))
        return FALSE;
    if (std::fabs(sx - 1.0) > 1e-10 && std::fabs(sx - sy) < 1e-10)
        setting.ScaleSize(sx);
    return TRUE;
}

int DimensionCommandHelper::PosAngleFlag(const DimensionSetting& setting)
{
    return setting.GetPosAngle() == 1 ? 1 : 0;
}

BOOL DimensionCommandHelper::Finish(CommandBase* pCommand, std::unique_ptr<Dimension2dFeatureBase> dimension,
                                    int nAction, CString& text)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand);
    if (!dimension || pDocument == nullptr)
        return FALSE;
    dimension->SetLayerID(pDocument->GetCurrentLayerID());
    BOOL bResult = FALSE;
    if (nAction == ShapeCommandHelper::actionAdd)
        bResult = ShapeCommandHelper::AddFeatureInUndo(pDocument, ShapeCommandHelper::GetActiveDrawing(pCommand),
                                                       dimension->CopyObject());
    else if (nAction == ShapeCommandHelper::actionPreview)
        bResult = pCommand->DrawRubberbandFeature(dimension.get());
    text = dimension->GetValueText();
    return bResult;
}

BOOL DimensionCommandHelper::FinishRow(CommandBase* pCommand, Feature2dList& dimensions, int nAction)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand);
    if (pDocument == nullptr || dimensions.IsEmpty())
        return FALSE;
    for (int i = 0; i < dimensions.GetFeatureSize(); ++i)
        dimensions[i]->SetLayerID(pDocument->GetCurrentLayerID());
    if (nAction == ShapeCommandHelper::actionAdd)
        return ShapeCommandHelper::AddFeatureListInUndo(pDocument, ShapeCommandHelper::GetActiveDrawing(pCommand),
                                                        dimensions);
    if (nAction == ShapeCommandHelper::actionPreview)
        return pCommand->DrawRubberbandFeatureList(dimensions);
    return FALSE;
}

int DimensionCommandHelper::ReadCircleOrArc(CommandBase* pCommand, WORD wShape, const TextItems& items, BOOL bPreview,
                                            int nIndex, std::unique_ptr<Feature2dBase>& shape, RuVaPnt2d& centre,
                                            double& radius)
{
    if (!bPreview) {
        const int follow = FollowLists(pCommand, nIndex, items);
        if (follow != CommandBase::resultDone)
            return follow;
    }
    if (pCommand->GetManager() == nullptr || pCommand->GetManager()->GetView() == nullptr ||
        ShapeCommandHelper::GetDocument(pCommand) == nullptr)
        return CommandBase::resultMissing;
    const int outcome = ConstrainedCircleCommandHelper::ReadShape(pCommand, wShape, bPreview, shape);
    if (outcome == ShapeCommandHelper::pickMissing)
        return CommandBase::resultMissing;
    const auto refuse = [&](UINT nMessage) {
        return bPreview ? CommandBase::resultNothing
                        : ShapeCommandHelper::Refuse(pCommand, nMessage, CommandBase::resultNothing);
    };
    if (outcome != ShapeCommandHelper::pickTaken)
        return refuse(kMsgShapeGone);
    if (!GetCircleOrArc(shape.get(), centre, radius))
        return refuse(kMsgNotCircleOrArc);
    return CommandBase::resultDone;
}

BOOL DimensionCommandHelper::GetCircleOrArc(const Feature2dBase* pShape, RuVaPnt2d& centre, double& radius)
{
    if (pShape == nullptr)
        return FALSE;
    if (pShape->GetFeatureType() == FeatureTypeCircle) {
        centre = static_cast<const Circle2dFeature*>(pShape)->GetCenterPoint();
        radius = static_cast<const Circle2dFeature*>(pShape)->GetRadius();
        return TRUE;
    }
    if (pShape->GetFeatureType() == FeatureTypeArc) {
        centre = static_cast<const Arc2dFeature*>(pShape)->GetCenterPoint();
        radius = static_cast<const Arc2dFeature*>(pShape)->GetRadius();
        return TRUE;
    }
    return FALSE;
}

RuVaVec2d DimensionCommandHelper::GetDirectionFromCentre(const Feature2dBase* pShape, const RuVaPnt2d& point)
{
    RuVaPnt2d c;
    double r = 0.0;
    if (!GetCircleOrArc(pShape, c, r))
        return RuVaVec2d(1, 0);
    if (point.Distance(c) >= ShapeCommandHelper::kPointTolerance)
        return (point - c).Normalized();
    if (pShape->GetFeatureType() != FeatureTypeArc)
        return RuVaVec2d(1, 0);
    const auto* pArc = static_cast<const Arc2dFeature*>(pShape);
    const double sweep = pArc->GetSweepAngle();
    const double middle = pArc->GetStartAngle() + (pArc->GetDirection() == 1 ? -0.5 : 0.5) * sweep;
    return RuVaVec2d(std::cos(middle * RuVa::DegToRad), std::sin(middle * RuVa::DegToRad));
}

std::vector<RuVaPnt2d> DimensionCommandHelper::GetCrossingsThroughCentre(const Feature2dBase* pShape,
                                                                         const RuVaVec2d& direction)
{
    std::vector<RuVaPnt2d> crossings;
    RuVaPnt2d c;
    double r = 0.0;
    if (!GetCircleOrArc(pShape, c, r) || direction.IsNull())
        return crossings;
    const RuVaVec2d d = direction.Normalized();
    for (const RuVaVec2d& v : {d, -d}) {
        const RuVaPnt2d q = c + v * r;
        if (pShape->GetFeatureType() == FeatureTypeArc) {
            const auto* pArc = static_cast<const Arc2dFeature*>(pShape);
            const double a = RuVa::CorrectAngle(std::atan2(v.Y(), v.X()) * RuVa::RadToDeg);
            if (!FeatureGeometry::IsAngleOnArc(a, pArc->GetStartAngle(), pArc->GetEndAngle(), pArc->GetDirection()))
                continue;
        }
        crossings.push_back(q);
    }
    return crossings;
}

BOOL DimensionCommandHelper::IsCircleOrArcSelected(Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectionGroupCount() != 1 ||
        pSelection->GetSelectionGroupSelectShapeMode(0) != 4)
        return FALSE;
    CArray<FeatureLayout> shapes;
    pSelection->GetSelectedFeatureList(shapes);
    if (shapes.IsEmpty() || pDocument->GetFeature(shapes[0].GetRecordID()) == nullptr)
        return FALSE;
    const int nType = pDocument->GetFeatureType(shapes[0].GetRecordID());
    return nType == FeatureTypeCircle || nType == FeatureTypeArc ? TRUE : FALSE;
}

BOOL DimensionCommandHelper::TakeOverCircleOrArc(CommandBase* pCommand, Draw2dDocument* pDocument)
{
    if (!IsCircleOrArcSelected(pDocument) || pCommand->GetParameterCount() < 1)
        return FALSE;
    const SelectionManager* pSelection = pDocument->GetSelectionManager();
    CArray<FeatureLayout> shapes;
    pSelection->GetSelectedFeatureList(shapes);
    auto* pItem = dynamic_cast<FeatureParameterItem*>(pCommand->GetParameterItem(0));
    const KcArrayOfGePnt2d& points = pSelection->GetSelectionGroupPointList(0);
    if (pItem == nullptr || !pItem->SetValue(shapes[0], points.GetSize() > 0 ? points[0] : RuVaPnt2d()))
        return FALSE;
    pCommand->m_bEndAfterRun = TRUE;
    return TRUE;
}

}  // namespace QZ2Command
