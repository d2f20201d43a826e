#include "commands/edit/CopyFeatureSetting2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/FeatureParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/edit/FeatureSettingTransfer.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureSettingBase.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(CopyFeatureSetting2dCommand, CommandBase)

namespace {
constexpr UINT kSourceCaption = 10805;
constexpr UINT kSourcePrompt = 10691;
constexpr UINT kTargetsCaption = 10715;
constexpr UINT kTargetsPrompt = 10692;
// What Change Shape Setting admits, and images.
constexpr DWORD kKinds = 0x0A7EEFFF;
}  // namespace

BOOL CopyFeatureSetting2dCommand::IsBasicFeatureType(int nType)
{
    return (nType >= 1 && nType <= 9) || nType == 11 || nType == 12;
}

BOOL CopyFeatureSetting2dCommand::Fits(int nSourceType, int nTargetType)
{
    return nSourceType == nTargetType || (IsBasicFeatureType(nSourceType) && IsBasicFeatureType(nTargetType));
}

void CopyFeatureSetting2dCommand::SetupParameters()
{
    FeatureParameterItem source;
    ShapeCommandHelper::PrepareItem(source, itemSource, kSourceCaption, kSourcePrompt);
    source.m_dwAcceptedKinds = kKinds;
    ShapeCommandHelper::AddSingleItemParameter(this, source);
    EditCommandHelper::AddShapesParameter(this, itemTargets, kTargetsCaption, kTargetsPrompt, kKinds, TRUE, 0);
}

int CopyFeatureSetting2dCommand::OnInput(int)
{
    using T = FeatureSettingTransfer;
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr)
        return resultMissing;
    const ParameterItemBase* pTargets = FindItem(itemTargets);
    if (pTargets == nullptr || pTargets->IsEmpty())
        return resultMissing;
    if (!CheckUniformLayoutScale(itemTargets))
        return resultNothing;
    const auto* pSource = dynamic_cast<const FeatureParameterItem*>(FindItem(itemSource));
    if (pSource == nullptr || pSource->IsEmpty())
        return resultMissing;
    if (!CheckUniformLayoutScale(itemSource))
        return resultNothing;
    CArray<FeatureLayout> targets;
    if (!EditCommandHelper::GetFeatureLayouts(this, itemTargets, targets))
        return resultMissing;
    if (targets.IsEmpty())
        return resultNothing;
    FeatureLayout source;
    if (!pSource->GetValue(source))
        return resultMissing;
    const Feature2dBase* pSourceFeature = pDocument->GetFeature(source.GetRecordID());
    if (pSourceFeature == nullptr)
        return resultNothing;
    const int nSourceType = pSourceFeature->GetFeatureType();

    BOOL bAnyFits = FALSE;
    for (INT_PTR i = 0; i < targets.GetSize() && !bAnyFits; ++i) {
        const Feature2dBase* p = pDocument->GetFeature(targets[i].GetRecordID());
        bAnyFits = p != nullptr && Fits(nSourceType, p->GetFeatureType());
    }
    if (!bAnyFits)
        return resultConditional;
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    if (pView == nullptr)
        return resultNothing;

    // The source read as it appears on the paper.
    double s = 1.0;
    const BOOL bPaper = T::PaperScale(pView, source, s);
    std::unique_ptr<Feature2dBase> sourceCopy = T::ScaledCopy(pSourceFeature, bPaper, s, TRUE);
    const int nSourceKind = T::KindOfType(nSourceType, TRUE, TRUE);
    std::unique_ptr<FeatureSettingBase> setting = T::NewSetting(nSourceKind);
    if (sourceCopy == nullptr || setting == nullptr || !T::Read(nSourceKind, sourceCopy.get(), *setting))
        return resultNothing;

    BOOL bUpdated = FALSE;
    pDocument->BeginUndoOperation(nullptr);
    for (INT_PTR i = 0; i < targets.GetSize(); ++i) {
        const long id = targets[i].GetRecordID();
        if (id == source.GetRecordID())
            continue;
        const Feature2dBase* pTarget = pDocument->GetFeature(id);
        if (pTarget == nullptr || !Fits(nSourceType, pTarget->GetFeatureType()))
            continue;
        // Point markers fit lines, but their styles are of different kinds: nothing to write.
        const int nKind = T::KindOfType(pTarget->GetFeatureType(), TRUE, TRUE);
        if (nKind != nSourceKind)
            continue;
        // The target is written as it appears on the paper and scaled back, so its other sizes stay.
        double t = 1.0;
        const BOOL bTargetPaper = T::PaperScale(pView, targets[i], t);
        std::unique_ptr<Feature2dBase> copy = T::ScaledCopy(pTarget, bTargetPaper, t, TRUE);
        if (copy == nullptr || !T::Write(nKind, copy.get(), *setting))
            continue;
        std::unique_ptr<Feature2dBase> replacement =
            T::ScaledCopy(copy.get(), bTargetPaper, t != 0.0 ? 1.0 / t : 1.0, TRUE);
        if (replacement == nullptr || !T::Rebuild(replacement.get()))
            continue;
        if (pDocument->UpdateFeature(id, replacement.get(), 0, 3))
            bUpdated = TRUE;
    }
    pDocument->EndUndoOperation();
    if (bUpdated)
        pDocument->UpdateAllFeatures(1);
    return resultDone;
}

}  // namespace QZ2Command
