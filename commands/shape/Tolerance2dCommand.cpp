#include "commands/shape/Tolerance2dCommand.h"

#include <cmath>
#include <memory>

#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/CToleranceEditDialog.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Tolerance2dFeature.h"
#include "platform/win/CWinApp.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Tolerance2dCommand, CommandBase)

namespace {

const LPCTSTR kIdentifier = _T("Korvan.Shape.Tolerance");
constexpr UINT kTextCaption = 10709, kTextPrompt = 11142;
constexpr UINT kPointCaption = 10729, kPointPrompt = 11143;
constexpr double kScaleTolerance = 1e-10;
constexpr UINT kMsgSymbolInCell = 10392;

}  // namespace

BOOL Tolerance2dCommand::TakeOverSelection(Draw2dDocument*)
{
    return FALSE;
}

void Tolerance2dCommand::SetupParameters()
{
    TextParameterItem text;
    ShapeCommandHelper::PrepareItem(text, itemText, kTextCaption, kTextPrompt);
    text.m_bHistory = FALSE;
    text.m_bEditInDialog = FALSE;
    text.m_bAcceptEmptyText = FALSE;
    ShapeCommandHelper::AddSingleItemParameter(this, text);

    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemPoint, kPointCaption, kPointPrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

BOOL Tolerance2dCommand::OnStart()
{
    if (m_strIdentifier != kIdentifier)
        return TRUE;
    CToleranceEditDialog dialog(AfxGetMainWnd(), ShapeCommandHelper::GetDocument(this));
    if (dialog.DoModal() != IDOK || dialog.m_strText.IsEmpty())
        return FALSE;
    auto* pText = dynamic_cast<TextParameterItem*>(GetParameterItem(0));
    return pText != nullptr && pText->SetValue(dialog.m_strText);
}

BOOL Tolerance2dCommand::ValidateParameterValue(int, const ParameterItemBase& value)
{
    const auto* pText = dynamic_cast<const TextParameterItem*>(&value);
    CString text;
    if (pText == nullptr || pText->IsEmpty() || !pText->GetValue(text))
        return TRUE;
    // One pass over the string, whatever its length: the cell each code is in.
    int cell = 0;
    for (int i = 0; i + 1 < text.GetLength(); ++i) {
        if (text[i] != _T('\\'))
            continue;
        const TCHAR code = text[++i];
        if (code == _T('*'))
            cell = 0;
        else if (code == _T('|'))
            ++cell;
        else if (cell > 0 && !CToleranceEditDialog::IsCellAcceptable(CString(_T("\\")) + code))
            return ShapeCommandHelper::Refuse(this, kMsgSymbolInCell, FALSE);
    }
    return TRUE;
}

BOOL Tolerance2dCommand::BuildToleranceFeature(const CString& text, const RuVaPnt2d& point, int nAction)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || pDocument->GetDimensionSetting() == nullptr)
        return FALSE;
    DimensionSetting style;
    style.Copy(*pDocument->GetDimensionSetting());
    double sx = 1.0, sy = 1.0;
    if (!GetLayoutInverseScale(&sx, &sy))
        return FALSE;
    if (std::fabs(sx - 1.0) > kScaleTolerance && std::fabs(sx - sy) < kScaleTolerance)
        style.ScaleSize(sx);
    std::unique_ptr<Tolerance2dFeature> frame(FeatureCreator::CreateToleranceFeature(nullptr, text, point, &style));
    if (!frame)
        return FALSE;
    // The frame keeps the style's look; only the layer is the current one.
    frame->SetLayerID(pDocument->GetCurrentLayerID());
    if (nAction == ShapeCommandHelper::actionPreview)
        return DrawRubberbandFeature(frame.get());
    return ShapeCommandHelper::AddFeatureInUndo(pDocument, ShapeCommandHelper::GetActiveDrawing(this),
                                                frame.release());
}

void Tolerance2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    CString text;
    if (const auto* pText = dynamic_cast<const TextParameterItem*>(GetParameterItem(0)); pText != nullptr &&
                                                                                         !pText->IsEmpty())
        pText->GetValue(text);
    PointParameterItem pointItem;
    RuVaPnt2d point;
    if (!GetParameterValueByID(itemPoint, pointItem) || pointItem.IsEmpty() || !GetPointValue(pointItem, point, TRUE))
        return;
    BuildToleranceFeature(text, point, ShapeCommandHelper::actionPreview);
}

int Tolerance2dCommand::OnInput(int)
{
    CString text;
    const auto* pText = dynamic_cast<const TextParameterItem*>(GetParameterItem(0));
    if (pText == nullptr || pText->IsEmpty() || !pText->GetValue(text) || text.IsEmpty())
        return resultMissing;
    const ParameterItemBase* pPoint = FindItem(itemPoint);
    RuVaPnt2d point;
    if (pPoint == nullptr || pPoint->IsEmpty() || !GetPointValue(*pPoint, point, TRUE))
        return resultMissing;
    return BuildToleranceFeature(text, point, ShapeCommandHelper::actionAdd) ? resultDone : resultConditional;
}

}  // namespace QZ2Command
