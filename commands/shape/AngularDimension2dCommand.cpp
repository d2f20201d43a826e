#include "commands/shape/AngularDimension2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "commands/shape/ConstrainedCircleCommandHelper.h"
#include "commands/shape/DimensionCommandHelper.h"
#include "commands/shape/DimensionCommandMessages.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/zuruda/KcGeometryTool.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(AngularDimension2dCommand, CommandBase)

namespace {

constexpr double kTol = ShapeCommandHelper::kPointTolerance;
using A = AngularDimension2dCommand;
constexpr DimensionCommandHelper::TextItems kText = {A::itemTextMode, A::itemText, A::itemTextPosMode,
                                                      A::itemTextPoint};

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Shape.AngularDimension"), &AngularDimension2dCommand::IsCommandEnabled);
    }
} g_registrar;

std::unique_ptr<ParameterItemBase> MakeItem(WORD id)
{
    switch (id) {
    case A::itemFirstLine:
    case A::itemSecondLine:
    case A::itemArc: {
        auto f = std::make_unique<FeatureParameterItem>();
        if (id == A::itemFirstLine)
            ShapeCommandHelper::PrepareItem(*f, id, 10780, 10353);
        else if (id == A::itemSecondLine)
            ShapeCommandHelper::PrepareItem(*f, id, 10781, 10354);
        else
            ShapeCommandHelper::PrepareItem(*f, id, 10787, 10355);
        f->m_dwAcceptedKinds = id == A::itemArc ? A::kArcMask : A::kLineMask;
        f->m_nPickSetting = 1;
        return f;
    }
    case A::itemVertex:
        return DimensionCommandHelper::MakePointItem(id, 10719, 10356);
    case A::itemFirstPoint:
        return DimensionCommandHelper::MakePointItem(id, 10720, 10357);
    case A::itemSecondPoint:
        return DimensionCommandHelper::MakePointItem(id, 10721, 10358);
    default:
        return DimensionCommandHelper::MakePointItem(id, 10729, 10362);
    }
}

bool IsLineLike(int nType)
{
    return nType == FeatureTypeLine || nType == FeatureTypePolyline || nType == FeatureTypeInfiniteLine ||
           nType == FeatureTypeSemiInfiniteLine;
}

// The first shape of the selection group when it exists and is of a kind the test accepts.
bool GroupShape(Draw2dDocument* pDocument, int nGroup, bool (*accept)(int), FeatureLayout& shape)
{
    const SelectionManager* pSelection = pDocument->GetSelectionManager();
    if (pSelection->GetSelectionGroupSelectShapeMode(nGroup) != 4)
        return false;
    CArray<FeatureLayout> shapes;
    if (!pSelection->GetSelectionGroup(nGroup, shapes) || shapes.IsEmpty())
        return false;
    const long nRecord = shapes[0].GetRecordID();
    if (pDocument->GetFeature(nRecord) == nullptr || !accept(pDocument->GetFeatureType(nRecord)))
        return false;
    shape = shapes[0];
    return true;
}

bool IsArcType(int nType)
{
    return nType == FeatureTypeArc;
}

double AngleAbout(const RuVaPnt2d& c, const RuVaPnt2d& p)
{
    if (p.Distance(c) < kTol)
        return 0.0;
    return RuVa::CorrectAngle(std::atan2(p.Y() - c.Y(), p.X() - c.X()) * RuVa::RadToDeg);
}

}  // namespace

void AngularDimension2dCommand::SetupParameters()
{
    auto line = MakeItem(itemFirstLine), arc = MakeItem(itemArc), vertex = MakeItem(itemVertex);
    ShapeCommandHelper::AddAlternativesParameter(this, {line.get(), arc.get(), vertex.get()});
    ShapeCommandHelper::AddSingleItemParameter(this, *MakeItem(itemSecondLine));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextModeItem(itemTextMode));
    ShapeCommandHelper::AddSingleItemParameter(this, *DimensionCommandHelper::MakeTextPosModeItem(itemTextPosMode));
    ShapeCommandHelper::AddSingleItemParameter(this, *MakeItem(itemPosition));
}

BOOL AngularDimension2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex != 0 || GetParameterCount() < 1)
        return FALSE;
    const CommandParameter* pFirst = GetParameter(0);
    if (nAlternative == pFirst->GetCurrentIndex() || nAlternative < 0 || nAlternative >= pFirst->GetItemCount())
        return FALSE;
    const WORD wNew = pFirst->GetItem(nAlternative)->GetId();
    DimensionCommandHelper::RemoveRowOf(this, itemSecondPoint);
    DimensionCommandHelper::RemoveRowOf(this, itemFirstPoint);
    DimensionCommandHelper::RemoveRowOf(this, itemSecondLine);
    if (wNew == itemFirstLine) {
        DimensionCommandHelper::InsertRow(this, 1, *MakeItem(itemSecondLine));
    } else if (wNew == itemVertex) {
        DimensionCommandHelper::InsertRow(this, 1, *MakeItem(itemFirstPoint));
        DimensionCommandHelper::InsertRow(this, 2, *MakeItem(itemSecondPoint));
    }
    return TRUE;
}

BOOL AngularDimension2dCommand::BuildDimension(const RuVaPnt2d& vertex, const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                                               int nTextMode, CString& strText, const RuVaPnt2d& position,
                                               BYTE nTextPosMode, const RuVaPnt2d& textPoint, int nAction)
{
    if (p1.Distance(p2) < kTol)
        return FALSE;
    const double r = vertex.Distance(position);
    if (r < kTol)
        return FALSE;
    if (std::fabs(AngleAbout(vertex, p1) - AngleAbout(vertex, p2)) * RuVa::DegToRad < 1e-12)
        return FALSE;
    DimensionSetting setting;
    if (!DimensionCommandHelper::PrepareSetting(this, setting))
        return FALSE;
    std::unique_ptr<Dimension2dFeatureBase> dim(FeatureCreator::CreateAngularDimensionFeature(
        vertex, p1, p2, r, nTextMode == 1 ? 1 : 0, strText, nTextPosMode, textPoint, &setting,
        DimensionCommandHelper::PosAngleFlag(setting)));
    return DimensionCommandHelper::Finish(this, std::move(dim), nAction, strText);
}

int AngularDimension2dCommand::CollectAngle(BOOL bPreview, const RuVaPnt2d* pPosition, RuVaPnt2d& vertex,
                                            RuVaPnt2d& p1, RuVaPnt2d& p2)
{
    const WORD wFirst = GetCurrentItemID(0);
    if (wFirst == itemVertex) {
        for (WORD id : {itemVertex, itemFirstPoint, itemSecondPoint}) {
            const int index = FindParameterIndex(id);
            if (index < 0 || (!bPreview && IsParameterEmpty(index)))
                return resultMissing;
        }
        if (!ConstrainedCircleCommandHelper::ReadPoint(this, itemVertex, bPreview, vertex) ||
            !ConstrainedCircleCommandHelper::ReadPoint(this, itemFirstPoint, bPreview, p1) ||
            !ConstrainedCircleCommandHelper::ReadPoint(this, itemSecondPoint, bPreview, p2))
            return bPreview ? resultMissing : resultNothing;
        return resultDone;
    }
    if (wFirst == itemArc) {
        std::unique_ptr<Feature2dBase> shape;
        const int outcome = ConstrainedCircleCommandHelper::ReadShape(this, itemArc, bPreview, shape);
        if (outcome == ShapeCommandHelper::pickMissing)
            return resultMissing;
        if (outcome != ShapeCommandHelper::pickTaken)
            return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgShapeGone, resultNothing);
        if (shape->GetFeatureType() != FeatureTypeArc)
            return resultNothing;
        const auto* pArc = static_cast<const Arc2dFeature*>(shape.get());
        vertex = pArc->GetCenterPoint();
        // The angle runs counter-clockwise: a clockwise arc is measured from its end.
        p1 = pArc->GetDirection() == 1 ? pArc->GetEndPoint() : pArc->GetStartPoint();
        p2 = pArc->GetDirection() == 1 ? pArc->GetStartPoint() : pArc->GetEndPoint();
        return resultDone;
    }
    // Two line-like shapes: both are checked before anything is measured.
    std::unique_ptr<Feature2dBase> shapes[2];
    RuVaPnt2d picks[2];
    int segments[2] = {0, 0};
    const WORD ids[2] = {itemFirstLine, itemSecondLine};
    for (int i = 0; i < 2; ++i) {
        const int outcome = ConstrainedCircleCommandHelper::ReadShape(this, ids[i], bPreview, shapes[i], &picks[i]);
        if (outcome == ShapeCommandHelper::pickMissing)
            return resultMissing;
        if (outcome != ShapeCommandHelper::pickTaken)
            return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgShapeGone, resultNothing);
        if (shapes[i]->GetFeatureType() == FeatureTypePolyline) {
            segments[i] = KcGeometryTool::GetNearestSegment(
                static_cast<Polyline2dFeature*>(shapes[i].get())->GetPointArray(), picks[i]);
            if (segments[i] < 0)
                return resultNothing;
        }
    }
    if (pPosition == nullptr)
        return resultMissing;  // the arms follow from the position only
    RuVaPnt2d a, b, c, d;
    if (!MeasureTool::GetLinePointsOfFeatureAndFeature(shapes[0].get(), shapes[1].get(), a, b, c, d, segments[0],
                                                       segments[1]))
        return resultNothing;
    const RuVaVec2d va = b - a, vc = d - c;
    if (va.IsNull() || vc.IsNull() || va.IsParallel(vc, 1e-4) || va.IsOpposite(vc, 1e-4))
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgLinesParallel, resultNothing);
    const int found = MeasureTool::GetStartAndEndPointFromTwoLine(a, b, shapes[0]->GetFeatureType(), c, d,
                                                                  shapes[1]->GetFeatureType(), picks[0], picks[1],
                                                                  *pPosition, vertex, p1, p2);
    if (found == -1 || found == -2 || found == -3)
        return bPreview ? resultNothing : ShapeCommandHelper::Refuse(this, kMsgLinesParallel, resultNothing);
    return resultDone;
}

int AngularDimension2dCommand::Run(BOOL bPreview, int nIndex)
{
    if (!bPreview) {
        const int follow = DimensionCommandHelper::FollowLists(this, nIndex, kText);
        if (follow != resultDone)
            return follow;
    }
    if (m_pManager == nullptr || m_pManager->GetView() == nullptr || ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultMissing;
    if (!bPreview && IsParameterEmpty(0))
        return resultMissing;
    int nTextMode = 0;
    CString text;
    const int pi = FindParameterIndex(itemPosition);
    const bool positionGiven = pi >= 0 && !IsParameterEmpty(pi);
    RuVaPnt2d vertex, p1, p2;
    if (!bPreview && !positionGiven) {
        const bool textModeGiven = nIndex >= 0 && nIndex < GetParameterCount() && GetCurrentItemID(nIndex) == itemTextMode;
        const int measured = CollectAngle(FALSE, nullptr, vertex, p1, p2);
        if (measured != resultDone && measured != resultMissing)
            return measured;
        const int read = DimensionCommandHelper::ReadText(this, kText, FALSE, nTextMode, text);
        if (read != resultDone)
            return read;
        // Switching to a typed text offers the measured one to edit (not for two lines: no arms yet).
        if (textModeGiven && nTextMode == 1 && measured == resultDone) {
            CString value = text;
            BuildDimension(vertex, p1, p2, 0, value, p2, 0, p2, 2);
            DimensionCommandHelper::FillTypedText(this, itemText, value);
        }
        return resultMissing;
    }
    RuVaPnt2d position, textPoint;
    int nPosMode = 0;
    const int placed = DimensionCommandHelper::ReadPlacement(this, itemPosition, kText, bPreview, position, nPosMode,
                                                             textPoint);
    const int measured = CollectAngle(bPreview, &position, vertex, p1, p2);
    if (measured != resultDone)
        return measured;
    const int read = DimensionCommandHelper::ReadText(this, kText, bPreview, nTextMode, text);
    if (read != resultDone)
        return read;
    if (placed != resultDone)
        return placed;
    if (bPreview)
        return BuildDimension(vertex, p1, p2, nTextMode, text, position, (BYTE)nPosMode, textPoint, 1) ? resultDone
                                                                                                        : resultNothing;
    if (!BuildDimension(vertex, p1, p2, nTextMode, text, position, (BYTE)nPosMode, textPoint, 0))
        return ShapeCommandHelper::Refuse(this, kMsgNoDimension, resultConditional);
    return resultDone;
}

int AngularDimension2dCommand::OnInput(int nIndex)
{
    return Run(FALSE, nIndex);
}

void AngularDimension2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Run(TRUE, -1);
}

BOOL AngularDimension2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || GetParameterCount() < 1)
        return FALSE;
    const int groups = pSelection->GetSelectionGroupCount();
    FeatureLayout shapes[2];
    if (groups == 2) {
        if (!GroupShape(pDocument, 0, IsLineLike, shapes[0]) || !GroupShape(pDocument, 1, IsLineLike, shapes[1]))
            return FALSE;
        if (GetCurrentItemID(0) != itemFirstLine) {
            DimensionCommandHelper::RemoveRowOf(this, itemSecondPoint);
            DimensionCommandHelper::RemoveRowOf(this, itemFirstPoint);
            DimensionCommandHelper::InsertRow(this, 1, *MakeItem(itemSecondLine));
            GetParameter(0)->SetCurrentByID(itemFirstLine);
        }
    } else if (groups == 1) {
        if (!GroupShape(pDocument, 0, IsArcType, shapes[0]))
            return FALSE;
        if (GetCurrentItemID(0) != itemArc) {
            DimensionCommandHelper::RemoveRowOf(this, itemSecondPoint);
            DimensionCommandHelper::RemoveRowOf(this, itemFirstPoint);
            DimensionCommandHelper::RemoveRowOf(this, itemSecondLine);
            GetParameter(0)->SetCurrentByID(itemArc);
        }
    } else {
        return FALSE;
    }
    for (int g = 0; g < groups; ++g) {
        auto* pItem = dynamic_cast<FeatureParameterItem*>(GetParameterItem(g));
        const KcArrayOfGePnt2d& points = pSelection->GetSelectionGroupPointList(g);
        if (pItem == nullptr || !pItem->SetValue(shapes[g], points.GetSize() > 0 ? points[0] : RuVaPnt2d()))
            return FALSE;
    }
    m_bEndAfterRun = TRUE;
    return TRUE;
}

BOOL AngularDimension2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr)
        return FALSE;
    FeatureLayout shape;
    switch (pSelection->GetSelectionGroupCount()) {
    case 1:
        return GroupShape(pDocument, 0, IsArcType, shape) ? TRUE : FALSE;
    case 2:
        return GroupShape(pDocument, 0, IsLineLike, shape) && GroupShape(pDocument, 1, IsLineLike, shape) ? TRUE
                                                                                                           : FALSE;
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
