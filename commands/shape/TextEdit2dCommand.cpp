#include "commands/shape/TextEdit2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "commands/shape/CTextEditDialog.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/SelectionManager.h"
#include "libs/vevure/Text2dFeature.h"
#include "platform/win/CWinApp.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(TextEdit2dCommand, CommandBase)

namespace {

constexpr UINT kShapeCaption = 10715;
constexpr int kTypeText = 10;
constexpr int kTypeLead = 30;
constexpr int kTypeBalloon = 31;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.ChangeText"), &TextEdit2dCommand::IsCommandEnabled);
    }
} g_registrar;

}  // namespace

BOOL TextEdit2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectedFeatureCount() != 1)
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    if (selected.GetSize() != 1)
        return FALSE;
    const int nType = pDocument->GetFeatureType(selected[0].GetRecordID());
    return nType == kTypeText || nType == kTypeLead || nType == kTypeBalloon;
}

BOOL TextEdit2dCommand::GetText(const Feature2dBase* pShape, CString& text)
{
    if (const auto* pText = dynamic_cast<const Text2dFeature*>(pShape))
        text = pText->GetText();
    else if (const auto* pLead = dynamic_cast<const Lead2dFeature*>(pShape))
        text = pLead->GetText();
    else if (const auto* pBalloon = dynamic_cast<const Balloon2dFeature*>(pShape))
        text = pBalloon->GetText();
    else
        return FALSE;
    return TRUE;
}

Feature2dBase* TextEdit2dCommand::ChangeText(const Feature2dBase* pShape, const CString& text)
{
    if (pShape == nullptr)
        return nullptr;
    std::unique_ptr<Feature2dBase> copy(pShape->CopyObject(Feature2dBase::copyBase | Feature2dBase::copyGeometry));
    if (auto* pText = dynamic_cast<Text2dFeature*>(copy.get())) {
        if (!pText->SetText(text))
            return nullptr;
        pText->SetAutoLayoutRect();
    } else if (auto* pLead = dynamic_cast<Lead2dFeature*>(copy.get())) {
        if (!pLead->SetText(text) || !FeatureCreator::UpdateLeadFeature(pLead, nullptr))
            return nullptr;
    } else if (auto* pBalloon = dynamic_cast<Balloon2dFeature*>(copy.get())) {
        if (!pBalloon->SetText(text))
            return nullptr;
    } else {
        return nullptr;
    }
    return copy.release();
}

void TextEdit2dCommand::SetupParameters()
{
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, itemShape, kShapeCaption, 0);
    shape.m_dwAcceptedKinds = kTextKinds;
    shape.m_bTakeSelection = TRUE;
    shape.m_bEditableOnly = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, shape);
}

int TextEdit2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr || GetParameterCount() < 1 || IsParameterEmpty(0))
        return resultMissing;
    const auto* pItem = dynamic_cast<const FeatureParameterItem*>(GetParameterItem(0));
    FeatureRecord record;
    if (pItem == nullptr || !pItem->GetFeatureRecord(record))
        return resultNothing;
    const Feature2dBase* pShape = pDocument->GetFeature(record.GetRecordID());
    CString text;
    if (pShape == nullptr || !GetText(pShape, text))
        return resultNothing;

    CTextEditDialog dialog(AfxGetMainWnd());
    if (m_pManager != nullptr)
        dialog.m_pHistory = &m_pManager->GetParameterHistory();
    dialog.m_strText = text;
    if (dialog.DoModal() != IDOK || dialog.m_strText.IsEmpty())
        return resultFinished;

    // The shape may have gone while the dialog was open.
    pShape = pDocument->GetFeature(record.GetRecordID());
    if (pShape == nullptr)
        return resultNothing;
    pDocument->BeginUndoOperation(nullptr);
    std::unique_ptr<Feature2dBase> changed(ChangeText(pShape, dialog.m_strText));
    const BOOL bDone = changed != nullptr && pDocument->UpdateFeature(record.GetRecordID(), changed.get(), 1, 3);
    pDocument->EndUndoOperation();
    return bDone ? resultDone : resultConditional;
}

}  // namespace QZ2Command
