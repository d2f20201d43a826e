#include "commands/edit/ChangeFeatureSetting2dCommand.h"

#include "command/CommandManager.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/edit/FeatureSettingTransfer.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureSettingBase.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/CFeatureSettingTreeDialog.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ChangeFeatureSetting2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kHatchPatternTableCommand = 34665;

struct IdentifierRow {
    const char16_t* identifier;
    DWORD kinds;
    UINT prompt;
};
constexpr IdentifierRow kRows[] = {
    {u"Korvan.Edit.ChangeShapeSetting", 0x087EEFFF, 10491},
    {u"Korvan.Edit.ChangeBasicShapeSetting", 0x00000DFE, 10492},
    {u"Korvan.Edit.ChangePointMarkerSetting", 0x00000001, 10493},
    {u"Korvan.Edit.ChangeTextSetting", 0x00000200, 10494},
    {u"Korvan.Edit.ChangeLeadSetting", 0x00002000, 10495},
    {u"Korvan.Edit.ChangeBalloonSetting", 0x00004000, 10496},
    {u"Korvan.Edit.ChangeDimensionSetting", 0x087E0000, 10497},
    {u"Korvan.Edit.ChangeHatchSetting", 0x00008000, 0},
};

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.ChangeShapeSetting"),
                                        &ChangeFeatureSetting2dCommand::IsCommandEnabled);
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.SaveShapeSetting"),
                                        &ChangeFeatureSetting2dCommand::IsCommandEnabled);
    }
} g_registrar;

}  // namespace

BOOL ChangeFeatureSetting2dCommand::KindsOfIdentifier(const CString& strIdentifier, DWORD& dwKinds, UINT& nPrompt)
{
    for (const IdentifierRow& row : kRows) {
        if (strIdentifier == row.identifier) {
            dwKinds = row.kinds;
            nPrompt = row.prompt;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ChangeFeatureSetting2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || pSelection->GetSelectedFeatureCount() == 0)
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(selected[i].GetRecordID());
        if (pFeature == nullptr)
            return TRUE;
        const int nType = pFeature->GetFeatureType();
        if (nType != 70 && nType != 71 && nType != 80 && nType != 90)
            return TRUE;
    }
    return FALSE;
}

void ChangeFeatureSetting2dCommand::SetupParameters()
{
    DWORD dwKinds = 0x087EEFFF;
    UINT nPrompt = 0;
    KindsOfIdentifier(GetIdentifier(), dwKinds, nPrompt);
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, nPrompt, dwKinds, TRUE, 0);
}

int ChangeFeatureSetting2dCommand::OnInput(int)
{
    using T = FeatureSettingTransfer;
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pDocument == nullptr || pView == nullptr)
        return resultNothing;
    if (!CheckUniformLayoutScale(itemShapes))
        return resultNothing;
    const ParameterItemBase* pItem = FindItem(itemShapes);
    CArray<FeatureLayout> shapes;
    if (pItem == nullptr || pItem->IsEmpty() || !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;

    // Gathering: each kind's settings merged over its shapes, read as they appear through their layouts.
    T::Merged merged;
    // One setting of each kind is read into over and over.
    std::unique_ptr<FeatureSettingBase> scratch[T::kKinds];
    long nLayerID = -1;
    BOOL bMixedLayers = FALSE;
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const Feature2dBase* pFeature = pDocument->GetFeature(shapes[i].GetRecordID());
        if (pFeature == nullptr) {
            // Without the first shape there is no layer to show.
            bMixedLayers = bMixedLayers || i == 0;
            continue;
        }
        double s = 1.0;
        const BOOL bPaper = T::PaperScale(pView, shapes[i], s);
        // Outside a paper the shape reads as its copy would: no copy is made.
        std::unique_ptr<Feature2dBase> copy = bPaper ? T::ScaledCopy(pFeature, bPaper, s) : nullptr;
        const Feature2dBase* pSeen = bPaper ? copy.get() : pFeature;
        if (pSeen == nullptr)
            continue;
        if (i == 0)
            nLayerID = pSeen->GetLayerID();
        else if (pSeen->GetLayerID() != nLayerID)
            bMixedLayers = TRUE;
        const int nKind = T::KindOfType(pSeen->GetFeatureType());
        if (nKind < 0 || nKind >= T::kKinds)
            continue;
        if (scratch[nKind] == nullptr)
            scratch[nKind] = T::NewSetting(nKind);
        if (scratch[nKind] != nullptr && T::Read(nKind, pSeen, *scratch[nKind]))
            merged.Fold(nKind, *scratch[nKind]);
    }
    if (bMixedLayers)
        nLayerID = -1;

    int nFirstPage = 0;
    if (merged.OnlyKind() == T::kDimension) {
        const int nLast = CFeatureSettingTreeDialog::GetLastStylePage();
        if (CFeatureSettingTreeDialog::IsDimensionPage(nLast))
            nFirstPage = nLast;
    }
    CFeatureSettingTreeDialog dialog(pDocument, nLayerID, nFirstPage, TRUE);
    for (int k = 0; k < T::kImage; ++k) {
        if (merged.settings[k] == nullptr)
            continue;
        dialog.SetFeatureSetting(merged.settings[k].get());
        dialog.SetFeatureSettingStyles(T::DocumentStyles(pDocument, k));
    }
    const INT_PTR nResult = dialog.DoModal();
    if (nResult != IDOK && nResult != CFeatureSettingTreeDialog::kHatchPatternResult)
        return resultConditional;

    // A kind counts as changed when the dialog gives back something else than it was shown.
    std::unique_ptr<FeatureSettingBase> edited[T::kKinds];
    for (int k = 0; k < T::kImage; ++k) {
        if (merged.settings[k] == nullptr)
            continue;
        edited[k] = T::NewSetting(k);
        edited[k]->Copy(*merged.settings[k]);
        if (!dialog.GetFeatureSetting(edited[k].get()) || merged.settings[k]->IsEqual(*edited[k]))
            edited[k].reset();
    }

    BOOL bUpdated = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long id = shapes[i].GetRecordID();
        const Feature2dBase* pFeature = pDocument->GetFeature(id);
        if (pFeature == nullptr)
            continue;
        const int nKind = T::KindOfType(pFeature->GetFeatureType());
        if (nKind < 0 || edited[nKind] == nullptr)
            continue;
        double s = 1.0;
        const BOOL bPaper = T::PaperScale(pView, shapes[i], s);
        std::unique_ptr<Feature2dBase> copy = T::ScaledCopy(pFeature, bPaper, s);
        if (copy == nullptr || !T::Write(nKind, copy.get(), *edited[nKind]))
            continue;
        // Outside a paper the written copy is the replacement itself.
        std::unique_ptr<Feature2dBase> replacement =
            bPaper ? T::ScaledCopy(copy.get(), bPaper, s != 0.0 ? 1.0 / s : 1.0) : std::move(copy);
        if (replacement == nullptr || !T::Rebuild(replacement.get()))
            continue;
        // Mask 3 keeps the record's attributes: the replacement carries none.
        if (pDocument->UpdateFeature(id, replacement.get(), 0, 3))
            bUpdated = TRUE;
    }
    pDocument->EndUndoOperation();
    if (bUpdated)
        pDocument->UpdateAllFeatures(1);

    if (nResult == CFeatureSettingTreeDialog::kHatchPatternResult) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->GetSafeHwnd() != nullptr)
            pMain->PostMessage(WM_COMMAND, MAKEWPARAM(kHatchPatternTableCommand, 0), 0);
    }
    return resultDone;
}

}  // namespace QZ2Command
