#include "commands/edit/MeasureAngle2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "commands/edit/MeasureCommandHelper.h"
#include "commands/edit/MeasurePreview.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVa.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(MeasureAngle2dCommand, CommandBase)

namespace {

constexpr double kRadiansToDegrees = 1.0 / 0.017453292519943295;
constexpr int kPolylineType = 3;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Tools.MeasureAngle"), &MeasureAngle2dCommand::IsCommandEnabled);
    }
} g_registrar;

BOOL IsStraightOrArcType(int nType)
{
    switch (nType) {
    case 2: case 3: case 5: case 10: case 11: case 12:
        return TRUE;
    default:
        return FALSE;
    }
}

PointParameterItem Point(WORD id, UINT caption, UINT prompt, WORD wBase)
{
    PointParameterItem item;
    ShapeCommandHelper::PrepareItem(item, id, caption, prompt);
    item.m_wBaseItemId = wBase;
    return item;
}

FeatureParameterItem Shape(WORD id, UINT caption, UINT prompt, DWORD dwKinds)
{
    FeatureParameterItem item;
    ShapeCommandHelper::PrepareItem(item, id, caption, prompt);
    item.m_dwAcceptedKinds = dwKinds;
    item.m_nPickSetting = 1;
    return item;
}

// The segment of a polyline nearest to the local pick, 0 for other shapes; -1 off every segment.
int SegmentOf(const Feature2dBase* pShape, const RuVaPnt2d& localPick)
{
    const auto* pPolyline = dynamic_cast<const Polyline2dFeature*>(pShape);
    if (pPolyline == nullptr)
        return 0;
    KcArrayOfGePnt2d points;
    pPolyline->GetPointArray(points);
    return KcGeometryTool::GetNearestSegment(points, localPick);
}

}  // namespace

BOOL MeasureAngle2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    const int nGroups = pSelection != nullptr ? pSelection->GetSelectionGroupCount() : 0;
    if (nGroups < 1 || nGroups > 2)
        return FALSE;
    for (int g = 0; g < nGroups; ++g) {
        if (!IsStraightOrArcType(MeasureCommandHelper::GetSelectedPickType(pDocument, g)))
            return FALSE;
    }
    return TRUE;
}

void MeasureAngle2dCommand::SetupParameters()
{
    const PointParameterItem start = Point(itemStart, 10720, 11054, itemEnd);
    const PointParameterItem vertex = Point(itemVertex, 10719, 11055, ParameterItemBase::kNoBaseItem);
    const FeatureParameterItem shape = Shape(itemShape, 10715, 11056, kShapeKinds);
    const FeatureParameterItem first = Shape(itemFirstShape, 10780, 11057, kPairKinds);
    ShapeCommandHelper::AddAlternativesParameter(this, {&start, &vertex, &shape, &first});
    AddRowsFor(itemStart);
}

void MeasureAngle2dCommand::AddRowsFor(WORD wAlternative)
{
    switch (wAlternative) {
    case itemStart: {
        const PointParameterItem end = Point(itemEnd, 10721, 11058, itemStart);
        MeasureCommandHelper::InsertRow(this, -1, {&end});
        break;
    }
    case itemVertex: {
        const PointParameterItem arm = Point(itemArmStart, 10720, 11059, itemVertex);
        const PointParameterItem end = Point(itemEnd, 10721, 11060, itemVertex);
        MeasureCommandHelper::InsertRow(this, -1, {&arm});
        MeasureCommandHelper::InsertRow(this, -1, {&end});
        break;
    }
    case itemFirstShape: {
        const FeatureParameterItem second = Shape(itemSecondShape, 10781, 11061, kPairKinds);
        MeasureCommandHelper::InsertRow(this, -1, {&second});
        break;
    }
    default:
        break;
    }
}

BOOL MeasureAngle2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex < 0 || nIndex >= GetParameterCount())
        return FALSE;
    CommandParameter* pParameter = GetParameter(nIndex);
    if (pParameter->GetCurrentIndex() == nAlternative)
        return FALSE;
    if (nIndex != 0 || nAlternative < 0 || nAlternative >= pParameter->GetItemCount())
        return TRUE;
    MeasureCommandHelper::RemoveRowsAfterFirst(this);
    AddRowsFor(pParameter->GetItem(nAlternative)->GetId());
    return TRUE;
}

void MeasureAngle2dCommand::SwitchTo(WORD wAlternative)
{
    CommandParameter* pFirst = GetParameter(0);
    if (GetCurrentItemID(0) == wAlternative)
        return;
    for (int i = 0; i < pFirst->GetItemCount(); ++i) {
        if (pFirst->GetItem(i)->GetId() == wAlternative)
            pFirst->SetCurrentIndex(i);
    }
    MeasureCommandHelper::RemoveRowsAfterFirst(this);
    AddRowsFor(wAlternative);
}

BOOL MeasureAngle2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || GetParameterCount() == 0)
        return FALSE;
    const int nGroups = pSelection->GetSelectionGroupCount();
    long nRecordID = -1;
    long nLayoutID = -1;
    RuVaPnt2d pick;
    if (nGroups == 1) {
        if (pSelection->GetSelectionGroupSelectShapeMode(0) != 4)
            return FALSE;
        SwitchTo(itemShape);
        auto* pShape = dynamic_cast<FeatureParameterItem*>(FindItem(itemShape));
        if (pShape == nullptr || !MeasureCommandHelper::GetSelectedPick(pDocument, 0, nRecordID, nLayoutID, pick) ||
            !pShape->IsAcceptedFeature(pDocument->GetFeatureType(nRecordID)))
            return FALSE;
        pShape->SetValue(FeatureLayout(nRecordID, nLayoutID, -1), pick);
        m_bEndAfterRun = TRUE;
        return TRUE;
    }
    if (nGroups != 2)
        return FALSE;
    for (int g = 0; g < 2; ++g) {
        if (!IsStraightOrArcType(MeasureCommandHelper::GetSelectedPickType(pDocument, g)))
            return FALSE;
    }
    SwitchTo(itemFirstShape);
    const WORD ids[2] = {itemFirstShape, itemSecondShape};
    for (int g = 0; g < 2; ++g) {
        auto* pItem = dynamic_cast<FeatureParameterItem*>(FindItem(ids[g]));
        if (pItem == nullptr || !MeasureCommandHelper::GetSelectedPick(pDocument, g, nRecordID, nLayoutID, pick))
            return FALSE;
        pItem->SetValue(FeatureLayout(nRecordID, nLayoutID, -1), pick);
    }
    m_bEndAfterRun = TRUE;
    return TRUE;
}

int MeasureAngle2dCommand::MeasureShape(double& dAngle)
{
    std::unique_ptr<Feature2dBase> shape;
    RuVaPnt2d pick;
    if (const int nRefused = MeasureCommandHelper::TakePickedShape(this, itemShape, shape, pick))
        return nRefused;
    const int nSegment = SegmentOf(shape.get(), pick);
    if (nSegment < 0)
        return resultNothing;
    dAngle = MeasureTool::GetFeatureAngle(shape.get(), nSegment);
    return resultDone;
}

int MeasureAngle2dCommand::MeasureShapePair(double& dAngle)
{
    const auto* pFirst = dynamic_cast<const FeatureParameterItem*>(FindItem(itemFirstShape));
    const auto* pSecond = dynamic_cast<const FeatureParameterItem*>(FindItem(itemSecondShape));
    if (pFirst == nullptr || pSecond == nullptr || pSecond->IsEmpty())
        return resultMissing;
    std::unique_ptr<Feature2dBase> a;
    std::unique_ptr<Feature2dBase> b;
    RuVaPnt2d pickA;
    RuVaPnt2d pickB;
    const int outcomeA = ShapeCommandHelper::TakePickedFeature(this, *pFirst, a, pickA);
    const int outcomeB = ShapeCommandHelper::TakePickedFeature(this, *pSecond, b, pickB);
    if (outcomeA == ShapeCommandHelper::pickMissing || outcomeB == ShapeCommandHelper::pickMissing)
        return resultMissing;
    if (outcomeA != ShapeCommandHelper::pickTaken || outcomeB != ShapeCommandHelper::pickTaken)
        return ShapeCommandHelper::Refuse(this, MeasurePreview::kShapeGoneMessage, resultNothing);
    const BOOL bBothPolylines =
        a->GetFeatureType() == kPolylineType && b->GetFeatureType() == kPolylineType ? TRUE : FALSE;
    const BOOL bSameShape = pFirst->m_nRecordID == pSecond->m_nRecordID && pFirst->m_nLayoutID == pSecond->m_nLayoutID &&
                            pFirst->m_nField == pSecond->m_nField;
    if (bSameShape && !bBothPolylines)
        return resultNothing;
    const int nSegmentA = SegmentOf(a.get(), pickA);
    const int nSegmentB = SegmentOf(b.get(), pickB);
    if (nSegmentA < 0 || nSegmentB < 0 || (bSameShape && nSegmentA == nSegmentB))
        return resultNothing;
    if (!MeasureTool::GetFeatureAngle(a.get(), b.get(), pickA, pickB, dAngle, nSegmentA, nSegmentB))
        return resultNothing;
    return resultDone;
}

int MeasureAngle2dCommand::OnInput(int)
{
    if (m_pManager == nullptr || m_pManager->GetView() == nullptr || GetParameterCount() == 0 || IsParameterEmpty(0))
        return resultMissing;
    double dAngle = 0.0;
    switch (GetCurrentItemID(0)) {
    case itemStart: {
        RuVaPnt2d p0;
        RuVaPnt2d p1;
        if (const int nRefused = MeasureCommandHelper::ReadTwoPoints(this, itemStart, itemEnd, p0, p1))
            return nRefused;
        if (p0.Distance(p1) <= ShapeCommandHelper::kPointTolerance)
            return resultNothing;
        dAngle = RuVa::CorrectAngle(RuVaDir2d::DX2d().Angle(RuVaDir2d(p0, p1)) * kRadiansToDegrees);
        break;
    }
    case itemVertex: {
        RuVaPnt2d v;
        RuVaPnt2d s;
        RuVaPnt2d e;
        int outcome = MeasureCommandHelper::ReadPoint(this, itemVertex, v);
        if (outcome == MeasureCommandHelper::pointTaken)
            outcome = MeasureCommandHelper::ReadPoint(this, itemArmStart, s);
        if (outcome == MeasureCommandHelper::pointTaken)
            outcome = MeasureCommandHelper::ReadPoint(this, itemEnd, e);
        if (outcome != MeasureCommandHelper::pointTaken)
            return outcome == MeasureCommandHelper::pointMissing ? resultMissing : resultNothing;
        if (v.Distance(s) <= ShapeCommandHelper::kPointTolerance || v.Distance(e) <= ShapeCommandHelper::kPointTolerance)
            return resultNothing;
        dAngle = RuVa::CorrectAngle(RuVaDir2d(v, s).Angle(RuVaDir2d(v, e)) * kRadiansToDegrees);
        break;
    }
    case itemShape: {
        const int result = MeasureShape(dAngle);
        if (result != resultDone)
            return result;
        break;
    }
    case itemFirstShape: {
        const int result = MeasureShapePair(dAngle);
        if (result != resultDone)
            return result;
        break;
    }
    default:
        return resultMissing;
    }
    CMeasureResultDialog dialog;
    dialog.m_nKind = CMeasureResultDialog::kindAngle;
    dialog.m_dAngle = dAngle;
    MeasureCommandHelper::ShowResult(this, dialog, TRUE);
    return resultDone;
}

void MeasureAngle2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    if (GetParameterCount() == 0)
        return;
    if (GetCurrentItemID(0) == itemStart) {
        RuVaPnt2d p0;
        RuVaPnt2d p1;
        if (MeasureCommandHelper::PreviewPoint(this, itemStart, p0) &&
            MeasureCommandHelper::PreviewPoint(this, itemEnd, p1))
            MeasurePreview::DrawLine(this, p0, p1, 1);
    } else if (GetCurrentItemID(0) == itemVertex) {
        RuVaPnt2d v;
        RuVaPnt2d s;
        RuVaPnt2d e;
        if (!MeasureCommandHelper::PreviewPoint(this, itemVertex, v) ||
            !MeasureCommandHelper::PreviewPoint(this, itemArmStart, s) ||
            !MeasureCommandHelper::PreviewPoint(this, itemEnd, e) ||
            v.Distance(s) <= ShapeCommandHelper::kPointTolerance || v.Distance(e) <= ShapeCommandHelper::kPointTolerance)
            return;
        KcArrayOfGePnt2d points;
        points.Add(s);
        points.Add(v);
        points.Add(e);
        MeasurePreview::DrawPolyline(this, points);
    }
}

}  // namespace QZ2Command
