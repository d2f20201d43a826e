#include "commands/edit/GridSettingCommand.h"

#include <algorithm>

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "commands/edit/CGridSettingDialog.h"
#include "commands/edit/MeasureCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/GridSetting.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(GridSettingCommand, CommandBase)

namespace {

const LPCTSTR kDialog = _T("Korvan.Settings.GridSetting");
const LPCTSTR kShowGrid = _T("Korvan.Settings.ShowGrid");
const LPCTSTR kOrigin = _T("Korvan.Settings.GridOrigin");
const LPCTSTR kRange = _T("Korvan.Settings.GridRange");
constexpr UINT kOriginCommand = 34669;
constexpr UINT kRangeCommand = 34670;

void SetRange(GridSetting& setting, const RuVaPnt2d& a, const RuVaPnt2d& b)
{
    setting.SetMinGridPnt(RuVaPnt2d(std::min(a.X(), b.X()), std::min(a.Y(), b.Y())));
    setting.SetMaxGridPnt(RuVaPnt2d(std::max(a.X(), b.X()), std::max(a.Y(), b.Y())));
    setting.SetGridAllWindow(FALSE);
}

}  // namespace

GridSettingCommand::GridSettingCommand() = default;
GridSettingCommand::~GridSettingCommand() = default;

BOOL GridSettingCommand::IsIdentifier(LPCTSTR identifier) const { return m_strIdentifier == identifier; }

template <typename Change>
BOOL GridSettingCommand::WriteSetting(Change change)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const DrawingFeatureBase* pDrawing = pDocument != nullptr ? pDocument->GetActiveDrawingFeature() : nullptr;
    if (pDrawing == nullptr || pDrawing->GetGridSetting() == nullptr)
        return FALSE;
    GridSetting setting;
    setting = *pDrawing->GetGridSetting();
    change(setting);
    pDocument->BeginUndoOperation(nullptr);
    pDocument->SetDrawingGridSetting(pDrawing->GetDrawingID(), setting, 1);
    pDocument->EndUndoOperation();
    return TRUE;
}

void GridSettingCommand::SetupParameters()
{
    m_bEndAfterRun = TRUE;
    m_bSurvivesDrawingChange = FALSE;
    if (IsIdentifier(kOrigin)) {
        PointParameterItem origin;
        ShapeCommandHelper::PrepareItem(origin, itemOrigin, 10748, 11018);
        ShapeCommandHelper::AddSingleItemParameter(this, origin);
    } else if (IsIdentifier(kRange)) {
        PointParameterItem first;
        ShapeCommandHelper::PrepareItem(first, itemFirstCorner, 10730, 11019);
        ShapeCommandHelper::AddSingleItemParameter(this, first);
        PointParameterItem second;
        ShapeCommandHelper::PrepareItem(second, itemSecondCorner, 10731, 11020);
        second.m_wBaseItemId = itemFirstCorner;
        ShapeCommandHelper::AddSingleItemParameter(this, second);
    }
}

BOOL GridSettingCommand::OnStart()
{
    if (!IsIdentifier(kOrigin) && !IsIdentifier(kRange))
        return TRUE;
    const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const DrawingFeatureBase* pDrawing = pDocument != nullptr ? pDocument->GetActiveDrawingFeature() : nullptr;
    if (pDrawing == nullptr)
        return FALSE;
    // The user picks on a view without grid. Hidden in the view only: hiding it in the drawing would be
    // an undo step and a change of the document even when the pick is cancelled.
    m_pHiddenGridView = nullptr;
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pView != nullptr && pView->GetGridVisible() && pDrawing->GetGridSetting() != nullptr &&
        pDrawing->GetGridSetting()->IsShowGrid()) {
        pView->SetGridVisible(FALSE);
        pView->InvalidateView();
        m_pHiddenGridView = pView;
    }
    return TRUE;
}

void GridSettingCommand::OnEnd()
{
    m_pPending.reset();
    // The grid comes back in the view it was hidden in, if that view is still the manager's.
    if (m_pHiddenGridView != nullptr && m_pManager != nullptr && m_pManager->GetView() == m_pHiddenGridView) {
        m_pHiddenGridView->SetGridVisible(TRUE);
        m_pHiddenGridView->InvalidateView();
    }
    m_pHiddenGridView = nullptr;
}

void GridSettingCommand::OnChildCommandResult(CommandBase* pChild, void* pResult)
{
    if (!IsIdentifier(kDialog) || pChild == nullptr || pResult == nullptr || !m_pPending)
        return;
    const auto* pPoints = static_cast<const RuVaPnt2d*>(pResult);
    if (pChild->GetIdentifier() == kOrigin)
        m_pPending->SetOrigin(pPoints[0]);
    else if (pChild->GetIdentifier() == kRange)
        SetRange(*m_pPending, pPoints[0], pPoints[1]);
}

int GridSettingCommand::RunDialog()
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const DrawingFeatureBase* pDrawing = pDocument->GetActiveDrawingFeature();
    const GridSetting* pSource = m_pPending ? m_pPending.get() : pDrawing->GetGridSetting();
    if (pSource == nullptr)
        return resultConditional;
    CGridSettingDialog dialog;
    dialog.m_strDrawingName = pDrawing->GetDrawingName();
    dialog.m_color1Combo.SetColorTable(pDocument->GetColorFeatureTable());
    dialog.m_color2Combo.SetColorTable(pDocument->GetColorFeatureTable());
    dialog.LoadSetting(*pSource);
    const INT_PTR answer = dialog.DoModal();
    if (answer == IDOK) {
        WriteSetting([&dialog](GridSetting& setting) { dialog.StoreSetting(setting); });
        return resultFinished;
    }
    if (answer != CGridSettingDialog::kResultPickOrigin && answer != CGridSettingDialog::kResultPickRange)
        return resultFinished;
    if (!m_pPending) {
        m_pPending = std::make_unique<GridSetting>();
        *m_pPending = *pSource;
    }
    dialog.StoreSetting(*m_pPending);
    const BOOL bOrigin = answer == CGridSettingDialog::kResultPickOrigin;
    if (!m_pManager->ExecuteNestedCommand(bOrigin ? kOriginCommand : kRangeCommand))
        return resultConditional;
    if (CommandBase* pChild = m_pManager->GetCommand(bOrigin ? kOrigin : kRange))
        pChild->SetParentCommand(this);
    return resultMissing;
}

int GridSettingCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || pDocument->GetActiveDrawingFeature() == nullptr)
        return resultConditional;
    if (IsIdentifier(kShowGrid)) {
        WriteSetting([](GridSetting& setting) { setting.ShowGrid(!setting.IsShowGrid()); });
        return resultFinished;
    }
    if (IsIdentifier(kDialog))
        return RunDialog();
    if (IsIdentifier(kOrigin)) {
        RuVaPnt2d origin;
        if (MeasureCommandHelper::ReadPoint(this, itemOrigin, origin) != MeasureCommandHelper::pointTaken)
            return resultMissing;
        if (m_pParent != nullptr)
            m_pParent->OnChildCommandResult(this, &origin);
        else
            WriteSetting([&origin](GridSetting& setting) { setting.SetOrigin(origin); });
        return resultFinished;
    }
    if (IsIdentifier(kRange)) {
        RuVaPnt2d corners[2];
        if (MeasureCommandHelper::ReadPoint(this, itemFirstCorner, corners[0]) != MeasureCommandHelper::pointTaken ||
            MeasureCommandHelper::ReadPoint(this, itemSecondCorner, corners[1]) != MeasureCommandHelper::pointTaken)
            return resultMissing;
        if (m_pParent != nullptr)
            m_pParent->OnChildCommandResult(this, corners);
        else
            WriteSetting([&corners](GridSetting& setting) { SetRange(setting, corners[0], corners[1]); });
        return resultFinished;
    }
    return resultConditional;
}

void GridSettingCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    if (!IsIdentifier(kRange))
        return;
    RuVaPnt2d a;
    RuVaPnt2d b;
    if (MeasureCommandHelper::PreviewPoint(this, itemFirstCorner, a) &&
        MeasureCommandHelper::PreviewPoint(this, itemSecondCorner, b))
        DrawRubberbandRectangle(a, b);
}

}  // namespace QZ2Command
