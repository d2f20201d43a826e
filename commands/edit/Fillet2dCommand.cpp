#include "commands/edit/Fillet2dCommand.h"

#include <memory>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureFilletting.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Fillet2dCommand, CommandBase)

namespace {

constexpr UINT kFirstCaption = 10715;
constexpr UINT kFirstPrompt = 11012;
constexpr UINT kPolylinesCaption = 10825;
constexpr UINT kPolylinesPrompt = 11013;
constexpr UINT kCornerCaption = 10742;
constexpr UINT kCornerPrompt = 11014;
constexpr UINT kSecondCaption = 10781;
constexpr UINT kSecondPrompt = 11015;
constexpr UINT kTrimCaption = 10814;
constexpr UINT kTrimPrompt = 11016;
constexpr UINT kTrimChoices = 10834;
constexpr UINT kRadiusCaption = 10750;
constexpr UINT kRadiusPrompt = 11017;
// "No fillet can be made there with this radius."
constexpr UINT kNoFillet = 11178;
constexpr DWORD kPolylineKinds = 4;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.Fillet"), &Fillet2dCommand::IsCommandEnabled);
    }
} g_registrar;

FeatureParameterItem ShapeItem(WORD id, UINT caption, UINT prompt)
{
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, id, caption, prompt);
    shape.m_dwAcceptedKinds = Fillet2dCommand::kFilletKinds;
    shape.m_bTakeSelection = TRUE;
    shape.m_bEditableOnly = TRUE;
    return shape;
}

}  // namespace

BOOL Fillet2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    return CornerEditor::IsPairSelected(pDocument, kFilletKinds);
}

CornerEditor::Maker Fillet2dCommand::FilletMaker(double dRadius, int nTrimMode)
{
    return [dRadius, nTrimMode](const Feature2dBase* pFirst, const RuVaPnt2d& pick1, const Feature2dBase* pSecond,
                                const RuVaPnt2d& pick2, CornerEditor::Result& result) {
        FeatureFilletting filletting;
        if (!filletting.FilletFeature(pFirst, pick1, pSecond, pick2, dRadius, nTrimMode))
            return FALSE;
        if (filletting.GetFilletFeature() != nullptr)
            result.pCorner.reset(filletting.GetFilletFeature()->CopyObject());
        if (filletting.GetTrimmedFeature1() != nullptr)
            result.pTrimmed1.reset(filletting.GetTrimmedFeature1()->CopyObject());
        if (filletting.GetTrimmedFeature2() != nullptr)
            result.pTrimmed2.reset(filletting.GetTrimmedFeature2()->CopyObject());
        result.bRemove1 = filletting.m_bRemoveFeature1;
        result.bRemove2 = filletting.m_bRemoveFeature2;
        return TRUE;
    };
}

BOOL Fillet2dCommand::FilletFeaturePair(Draw2dDocument* pDocument, Draw2dView* pView, long nLayoutID1,
                                        long nRecordID1, const RuVaPnt2d& pick1, long nLayoutID2, long nRecordID2,
                                        const RuVaPnt2d& pick2, double dRadius, int nTrimMode, BOOL bOwnUndo)
{
    return CornerEditor::MakePair(pDocument, pView, CornerEditor::Side{nLayoutID1, nRecordID1, pick1},
                                  CornerEditor::Side{nLayoutID2, nRecordID2, pick2}, FilletMaker(dRadius, nTrimMode),
                                  bOwnUndo);
}

BOOL Fillet2dCommand::FilletPolylineCorners(Draw2dDocument* pDocument, Draw2dView* pView, long nRecordID,
                                            long nLayoutID, double dRadius, int nTrimMode, int nCorner)
{
    return CornerEditor::MakePolylineCorners(pDocument, pView, nRecordID, nLayoutID, FilletMaker(dRadius, nTrimMode),
                                             nCorner);
}

BOOL Fillet2dCommand::FilletAtCornerPoint(Draw2dDocument* pDocument, Draw2dView* pView, const RuVaPnt2d& world,
                                          double dRadius, int nTrimMode)
{
    return CornerEditor::MakeAtCornerPoint(pDocument, pView, world, FilletMaker(dRadius, nTrimMode));
}

BOOL Fillet2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    return CornerEditor::TakeOverPair(this, pDocument);
}

void Fillet2dCommand::SetupParameters()
{
    const FeatureParameterItem first = ShapeItem(itemFirstShape, kFirstCaption, kFirstPrompt);
    FeatureGroupParameterItem polylines;
    ShapeCommandHelper::PrepareItem(polylines, itemPolylines, kPolylinesCaption, kPolylinesPrompt);
    polylines.m_dwAcceptedKinds = kPolylineKinds;
    polylines.m_bTakeSelection = TRUE;
    polylines.m_bEditableOnly = TRUE;
    PointParameterItem corner;
    ShapeCommandHelper::PrepareItem(corner, itemCornerPoint, kCornerCaption, kCornerPrompt);
    ShapeCommandHelper::AddAlternativesParameter(this, {&first, &polylines, &corner});

    ShapeCommandHelper::AddSingleItemParameter(this, ShapeItem(itemSecondShape, kSecondCaption, kSecondPrompt));

    ListParameterItem trim;
    ShapeCommandHelper::PrepareItem(trim, itemTrimMode, kTrimCaption, kTrimPrompt);
    trim.SetItemsFromStringId(kTrimChoices);
    trim.SetValue(FeatureFilletting::TrimBoth);
    trim.SetDefaultValue(FeatureFilletting::TrimBoth);
    trim.m_bNoDefault = FALSE;
    trim.m_bClearable = FALSE;
    trim.m_nRetentionMode = 2;
    ShapeCommandHelper::AddSingleItemParameter(this, trim);

    LengthParameterItem radius;
    ShapeCommandHelper::PrepareItem(radius, itemRadius, kRadiusCaption, kRadiusPrompt);
    radius.m_nRetentionMode = 1;
    radius.m_bHistory = TRUE;
    radius.SetValue(0.0);
    radius.SetDefaultValue(0.0);
    ShapeCommandHelper::AddSingleItemParameter(this, radius);
}

BOOL Fillet2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
{
    if (nIndex < 0 || nIndex >= GetParameterCount() || GetParameter(nIndex)->GetCurrentIndex() == nAlternative)
        return FALSE;
    if (nIndex != 0)
        return TRUE;
    const BOOL bShapeNow = GetParameterItem(0) != nullptr && GetParameterItem(0)->GetId() == itemFirstShape;
    const int second = FindParameterIndex(itemSecondShape);
    if (bShapeNow && nAlternative != 0 && second >= 0) {
        if (m_pManager != nullptr)
            m_pManager->RemoveParameter(this, second);
        else
            RemoveParameter(second);
    } else if (nAlternative == 0 && second < 0) {
        auto pParameter = std::make_unique<CommandParameter>();
        pParameter->AddItem(ShapeItem(itemSecondShape, kSecondCaption, kSecondPrompt));
        pParameter->SetCurrentIndex(0);
        if (m_pManager != nullptr ? m_pManager->InsertParameter(this, 1, pParameter.get())
                                  : InsertParameter(1, pParameter.get()) >= 0)
            pParameter.release();
    }
    return TRUE;
}

BOOL Fillet2dCommand::ReadValues(double& dRadius, int& nTrimMode) const
{
    const auto* pTrim = dynamic_cast<const ListParameterItem*>(FindItem(itemTrimMode));
    const auto* pRadius = dynamic_cast<const LengthParameterItem*>(FindItem(itemRadius));
    if (pTrim == nullptr || pRadius == nullptr || pTrim->IsEmpty() || pRadius->IsEmpty() ||
        !pTrim->GetValue(nTrimMode) || !pRadius->GetValue(dRadius))
        return FALSE;
    dRadius = CornerEditor::LengthToWorld(this, dRadius);
    return TRUE;
}

int Fillet2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    const ParameterItemBase* pFirst = GetParameterItem(0);
    const ParameterItemBase* pNext = GetParameterItem(1);
    double dRadius = 0.0;
    int nTrimMode = 0;
    if (pDocument == nullptr || pFirst == nullptr || pNext == nullptr || pFirst->IsEmpty() || pNext->IsEmpty() ||
        !ReadValues(dRadius, nTrimMode))
        return resultMissing;
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    const CornerEditor::Maker maker = FilletMaker(dRadius, nTrimMode);
    switch (CornerEditor::MakeFromInputs(this, pDocument, pView, pFirst, pNext, itemFirstShape, itemPolylines,
                                         itemCornerPoint, maker)) {
    case CornerEditor::cornerMade:
        return resultDone;
    case CornerEditor::cornerNotMade:
        EditCommandHelper::ShowStatus(this, kNoFillet);
        return resultNothing;
    case CornerEditor::inputMissing:
        return resultMissing;
    default:
        return resultNothing;
    }
}

void Fillet2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d& world, const RuVaPnt2d&, UINT)
{
    const auto* pFirst = dynamic_cast<const FeatureParameterItem*>(GetParameterItem(0));
    const ParameterItemBase* pSecond = FindItem(itemSecondShape);
    double dRadius = 0.0;
    int nTrimMode = 0;
    if (pFirst == nullptr || pFirst->GetId() != itemFirstShape || pFirst->IsEmpty() || pSecond == nullptr ||
        !pSecond->IsEmpty() || !ReadValues(dRadius, nTrimMode))
        return;
    FeatureLayout picked;
    CornerEditor::Side first;
    if (!pFirst->GetValueAndPickPoint(picked, first.pick))
        return;
    first.nRecordID = picked.GetRecordID();
    first.nLayoutID = picked.GetLayoutID();
    CornerEditor::DrawPreview(this, first, kFilletKinds, world, FilletMaker(dRadius, nTrimMode));
}

}  // namespace QZ2Command
