#include "commands/shape/Text2dCommand.h"

#include <cmath>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/PointParameterItem.h"
#include "command/TextParameterItem.h"
#include "commands/shape/CTextEditDialog.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/TextSetting.h"
#include "platform/win/CWinApp.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Text2dCommand, CommandBase)

namespace {

const LPCTSTR kLineIdentifier = _T("Korvan.Shape.Text");

constexpr UINT kTextCaption = 10709;
constexpr UINT kTextPrompt = 11139;
constexpr UINT kAngleCaption = 10707;
constexpr UINT kAnglePrompt = 11140;
constexpr UINT kPointCaption = 10729;
constexpr UINT kPointPrompt = 11141;

}  // namespace

Text2dCommand::~Text2dCommand() = default;

BOOL Text2dCommand::IsParagraph() const
{
    return m_strIdentifier != kLineIdentifier;
}

void Text2dCommand::SetupParameters()
{
    if (!IsParagraph()) {
        TextParameterItem text;
        ShapeCommandHelper::PrepareItem(text, itemText, kTextCaption, kTextPrompt);
        text.m_bHistory = TRUE;
        text.m_nRetentionMode = 0;
        text.m_bEditInDialog = FALSE;
        text.m_bAcceptEmptyText = FALSE;
        ShapeCommandHelper::AddSingleItemParameter(this, text);
    }

    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, kAngleCaption, kAnglePrompt);
    angle.SetDefaultValue(0.0);
    angle.SetValue(0.0);
    angle.m_nRetentionMode = 1;
    angle.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, angle);

    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemPoint, kPointCaption, kPointPrompt);
    point.m_nRetentionMode = 0;
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

BOOL Text2dCommand::OnStart()
{
    if (!IsParagraph())
        return TRUE;
    // One paragraph per start.
    m_bEndAfterRun = TRUE;
    CTextEditDialog dialog(AfxGetMainWnd());
    if (m_pManager != nullptr)
        dialog.m_pHistory = &m_pManager->GetParameterHistory();
    if (dialog.DoModal() != IDOK || dialog.m_strText.IsEmpty())
        return FALSE;
    m_strParagraph = dialog.m_strText;
    return TRUE;
}

Text2dFeature* Text2dCommand::MakeText(const CString& text, const RuVaPnt2d& point, double angle) const
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || text.IsEmpty() || !std::isfinite(angle))
        return nullptr;
    double sx = 1.0;
    double sy = 1.0;
    if (!GetLayoutInverseScale(&sx, &sy))
        return nullptr;
    const TextSetting* pStyle = pDocument->GetTextSetting();
    Text2dFeature* pText = FeatureCreator::CreateTextFeature(text, point, angle, pStyle);
    if (pText == nullptr)
        return nullptr;
    if (std::fabs(sx - 1.0) > 1e-10 && std::fabs(sx - sy) < 1e-10)
        pText->ScaleSize(sx, TRUE);
    pText->m_bAutoLayout = 1;
    pText->SetAutoLayoutRect();
    pText->SetLayerID(pDocument->GetCurrentLayerID());
    return pText;
}

void Text2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    CString text;
    if (IsParagraph()) {
        text = m_strParagraph;
    } else {
        TextParameterItem textItem;
        if (GetParameterCount() == 0 || !GetParameterValue(0, textItem) || !textItem.GetValue(text))
            return;
    }
    if (text.IsEmpty())
        return;
    AngleParameterItem angleItem;
    double angle = 0.0;
    if (!GetParameterValueByID(itemAngle, angleItem) || angleItem.IsEmpty() || !angleItem.GetValue(angle))
        return;
    PointParameterItem pointItem;
    RuVaPnt2d point;
    if (!GetParameterValueByID(itemPoint, pointItem) || pointItem.IsEmpty() || !GetPointValue(pointItem, point, TRUE))
        return;
    Text2dFeature* pText = MakeText(text, point, angle);
    if (pText == nullptr)
        return;
    DrawRubberbandFeature(pText);
    delete pText;
}

int Text2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr)
        return resultConditional;
    CString text;
    if (IsParagraph()) {
        text = m_strParagraph;
    } else {
        const auto* pTextItem = dynamic_cast<const TextParameterItem*>(GetParameterCount() > 0 ? GetParameterItem(0) : nullptr);
        if (pTextItem == nullptr || pTextItem->IsEmpty() || !pTextItem->GetValue(text))
            return resultMissing;
    }
    const auto* pAngleItem = dynamic_cast<const AngleParameterItem*>(FindItem(itemAngle));
    const ParameterItemBase* pPointItem = FindItem(itemPoint);
    if (pAngleItem == nullptr || pPointItem == nullptr || pAngleItem->IsEmpty() || pPointItem->IsEmpty())
        return resultMissing;
    double angle = 0.0;
    RuVaPnt2d point;
    if (!pAngleItem->GetValue(angle) || !GetPointValue(*pPointItem, point, TRUE))
        return resultMissing;
    Text2dFeature* pText = MakeText(text, point, angle);
    if (pText == nullptr)
        return ShapeCommandHelper::Refuse(this, kMsgNoShape, resultConditional);
    // The text keeps its style's colour, line type and width; only the layer is the current one.
    if (!ShapeCommandHelper::AddFeatureInUndo(pDocument, ShapeCommandHelper::GetActiveDrawing(this), pText))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultConditional);
    return resultDone;
}

}  // namespace QZ2Command
