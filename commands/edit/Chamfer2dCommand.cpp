#include "commands/edit/Chamfer2dCommand.h"

#include <memory>
#include <tuple>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureChamfering.h"
#include "libs/vevure/Line2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Chamfer2dCommand, CommandBase)

namespace {

constexpr UINT kFirstCaption = 10780;
constexpr UINT kFirstPrompt = 10481;
constexpr UINT kPolylinesCaption = 10825;
constexpr UINT kPolylinesPrompt = 10482;
constexpr UINT kCornerCaption = 10742;
constexpr UINT kCornerPrompt = 10483;
constexpr UINT kSecondCaption = 10781;
constexpr UINT kSecondPrompt = 10484;
constexpr UINT kTrimCaption = 10814;
constexpr UINT kTrimPrompt = 10485;
constexpr UINT kTrimChoices = 10834;
constexpr UINT kTypeCaption = 10815;
constexpr UINT kTypePrompt = 10486;
constexpr UINT kTypeChoices = 10835;
constexpr UINT kLength2Caption = 10757;
constexpr UINT kLength2Prompt = 10489;
// Caption and prompt of the first length by chamfer type.
constexpr UINT kLength1Captions[] = {10754, 10755, 10756};
constexpr UINT kLength1Prompts[] = {10487, 10488, 10490};
// "No chamfer can be made there with these lengths."
constexpr UINT kNoChamfer = 11179;
constexpr DWORD kPolylineKinds = 4;

struct EnableTestRegistrar {
    EnableTestRegistrar()
    {
        CommandBase::RegisterEnableTest(_T("Korvan.Edit.Chamfer"), &Chamfer2dCommand::IsCommandEnabled);
    }
} g_registrar;

FeatureParameterItem ShapeItem(WORD id, UINT caption, UINT prompt)
{
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, id, caption, prompt);
    shape.m_dwAcceptedKinds = Chamfer2dCommand::kChamferKinds;
    shape.m_bTakeSelection = TRUE;
    shape.m_bEditableOnly = TRUE;
    return shape;
}

LengthParameterItem LengthItem(WORD id, UINT caption, UINT prompt)
{
    LengthParameterItem length;
    ShapeCommandHelper::PrepareItem(length, id, caption, prompt);
    length.m_nRetentionMode = 1;
    length.m_bHistory = TRUE;
    return length;
}

}  // namespace

BOOL Chamfer2dCommand::IsCommandEnabled(CString, Draw2dDocument* pDocument)
{
    return CornerEditor::IsPairSelected(pDocument, kChamferKinds);
}

CornerEditor::Maker Chamfer2dCommand::ChamferMaker(int nType, double dLength1, double dLength2, int nTrimMode)
{
    if (nType == typeDistance)
        dLength2 = dLength1;
    return [nType, dLength1, dLength2, nTrimMode](const Feature2dBase* pFirst, const RuVaPnt2d& pick1,
                                                  const Feature2dBase* pSecond, const RuVaPnt2d& pick2,
                                                  CornerEditor::Result& result) {
        FeatureChamfering chamfering;
        const BOOL bMade =
            nType == typeFace
                ? chamfering.ChamferFeatureByFace(pFirst, pick1, pSecond, pick2, dLength1, nTrimMode)
                : chamfering.ChamferFeatureBy2Edge(pFirst, pick1, pSecond, pick2, dLength1, dLength2, nTrimMode);
        if (!bMade)
            return FALSE;
        if (chamfering.GetChamferFeature() != nullptr)
            result.pCorner.reset(chamfering.GetChamferFeature()->CopyObject());
        if (chamfering.GetTrimmedFeature1() != nullptr)
            result.pTrimmed1.reset(chamfering.GetTrimmedFeature1()->CopyObject());
        if (chamfering.GetTrimmedFeature2() != nullptr)
            result.pTrimmed2.reset(chamfering.GetTrimmedFeature2()->CopyObject());
        // Both forms honour the engine's removal flags alike.
        result.bRemove1 = chamfering.m_bRemoveFeature1;
        result.bRemove2 = chamfering.m_bRemoveFeature2;
        return TRUE;
    };
}

BOOL Chamfer2dCommand::ChamferFeaturePairByFace(Draw2dDocument* pDocument, Draw2dView* pView, long nLayoutID1,
                                                long nRecordID1, const RuVaPnt2d& pick1, long nLayoutID2,
                                                long nRecordID2, const RuVaPnt2d& pick2, double dFace, int nTrimMode,
                                                BOOL bOwnUndo)
{
    return CornerEditor::MakePair(pDocument, pView, CornerEditor::Side{nLayoutID1, nRecordID1, pick1},
                                  CornerEditor::Side{nLayoutID2, nRecordID2, pick2},
                                  ChamferMaker(typeFace, dFace, 0.0, nTrimMode), bOwnUndo);
}

BOOL Chamfer2dCommand::ChamferFeaturePairBy2Edge(Draw2dDocument* pDocument, Draw2dView* pView, long nLayoutID1,
                                                 long nRecordID1, const RuVaPnt2d& pick1, long nLayoutID2,
                                                 long nRecordID2, const RuVaPnt2d& pick2, double dDistance1,
                                                 double dDistance2, int nTrimMode, BOOL bOwnUndo)
{
    return CornerEditor::MakePair(pDocument, pView, CornerEditor::Side{nLayoutID1, nRecordID1, pick1},
                                  CornerEditor::Side{nLayoutID2, nRecordID2, pick2},
                                  ChamferMaker(typeTwoDistances, dDistance1, dDistance2, nTrimMode), bOwnUndo);
}

BOOL Chamfer2dCommand::TakeOverSelection(Draw2dDocument* pDocument)
{
    return CornerEditor::TakeOverPair(this, pDocument);
}

void Chamfer2dCommand::SetupParameters()
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

    for (const auto& [id, caption, prompt, choices] :
         {std::tuple{itemTrimMode, kTrimCaption, kTrimPrompt, kTrimChoices},
          std::tuple{itemType, kTypeCaption, kTypePrompt, kTypeChoices}}) {
        ListParameterItem list;
        ShapeCommandHelper::PrepareItem(list, id, caption, prompt);
        list.SetItemsFromStringId(choices);
        list.SetValue(0);
        list.SetDefaultValue(0);
        list.m_bNoDefault = FALSE;
        list.m_bClearable = FALSE;
        list.m_nRetentionMode = 2;
        ShapeCommandHelper::AddSingleItemParameter(this, list);
    }

    LengthParameterItem length = LengthItem(itemLength1, kLength1Captions[typeFace], kLength1Prompts[typeFace]);
    length.SetValue(0.0);
    length.SetDefaultValue(0.0);
    ShapeCommandHelper::AddSingleItemParameter(this, length);
}

BOOL Chamfer2dCommand::OnAlternativeChanging(int nIndex, int nAlternative)
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

void Chamfer2dCommand::AdaptToType(int nType)
{
    if (nType < typeFace || nType > typeTwoDistances)
        return;
    const int second = FindParameterIndex(itemLength2);
    if (nType != typeTwoDistances && second >= 0) {
        if (m_pManager != nullptr)
            m_pManager->RemoveParameter(this, second);
        else
            RemoveParameter(second);
    } else if (nType == typeTwoDistances && second < 0) {
        ShapeCommandHelper::AddSingleItemParameter(this, LengthItem(itemLength2, kLength2Caption, kLength2Prompt));
    }
    const int first = FindParameterIndex(itemLength1);
    if (ParameterItemBase* pLength = FindItem(itemLength1)) {
        pLength->m_strCaption = LoadResourceString(kLength1Captions[nType]);
        pLength->m_strPrompt = LoadResourceString(kLength1Prompts[nType]);
        if (m_pManager != nullptr)
            m_pManager->UpdateParameterInBar(this, first, TRUE);
    }
}

BOOL Chamfer2dCommand::ReadValues(int& nType, double& dLength1, double& dLength2, int& nTrimMode) const
{
    const auto* pTrim = dynamic_cast<const ListParameterItem*>(FindItem(itemTrimMode));
    const auto* pType = dynamic_cast<const ListParameterItem*>(FindItem(itemType));
    const auto* pLength1 = dynamic_cast<const LengthParameterItem*>(FindItem(itemLength1));
    if (pTrim == nullptr || pType == nullptr || pLength1 == nullptr || pTrim->IsEmpty() || pType->IsEmpty() ||
        pLength1->IsEmpty() || !pTrim->GetValue(nTrimMode) || !pType->GetValue(nType) || !pLength1->GetValue(dLength1))
        return FALSE;
    dLength2 = 0.0;
    if (nType == typeTwoDistances) {
        const auto* pLength2 = dynamic_cast<const LengthParameterItem*>(FindItem(itemLength2));
        if (pLength2 == nullptr || pLength2->IsEmpty() || !pLength2->GetValue(dLength2))
            return FALSE;
        dLength2 = CornerEditor::LengthToWorld(this, dLength2);
    }
    dLength1 = CornerEditor::LengthToWorld(this, dLength1);
    return TRUE;
}

int Chamfer2dCommand::OnInput(int nIndex)
{
    if (const ParameterItemBase* pGiven = nIndex >= 0 ? GetParameterItem(nIndex) : nullptr;
        pGiven != nullptr && pGiven->GetId() == itemType) {
        int nType = 0;
        const auto* pType = dynamic_cast<const ListParameterItem*>(pGiven);
        if (pType == nullptr || pType->IsEmpty() || !pType->GetValue(nType))
            return resultMissing;
        AdaptToType(nType);
    }
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    int nType = 0;
    int nTrimMode = 0;
    double dLength1 = 0.0;
    double dLength2 = 0.0;
    if (pDocument == nullptr || !ReadValues(nType, dLength1, dLength2, nTrimMode))
        return resultMissing;
    const ParameterItemBase* pFirst = GetParameterItem(0);
    if (pFirst == nullptr || pFirst->IsEmpty())
        return resultMissing;
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    const CornerEditor::Maker maker = ChamferMaker(nType, dLength1, dLength2, nTrimMode);
    switch (CornerEditor::MakeFromInputs(this, pDocument, pView, pFirst, FindItem(itemSecondShape), itemFirstShape, itemPolylines,
                                         itemCornerPoint, maker)) {
    case CornerEditor::cornerMade:
        return resultDone;
    case CornerEditor::cornerNotMade:
        EditCommandHelper::ShowStatus(this, kNoChamfer);
        return resultNothing;
    case CornerEditor::inputMissing:
        return resultMissing;
    default:
        return resultNothing;
    }
}

void Chamfer2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d& world, const RuVaPnt2d&, UINT)
{
    const auto* pFirst = dynamic_cast<const FeatureParameterItem*>(GetParameterItem(0));
    const ParameterItemBase* pSecond = FindItem(itemSecondShape);
    int nType = 0;
    int nTrimMode = 0;
    double dLength1 = 0.0;
    double dLength2 = 0.0;
    if (pFirst == nullptr || pFirst->GetId() != itemFirstShape || pFirst->IsEmpty() || pSecond == nullptr ||
        !pSecond->IsEmpty() || !ReadValues(nType, dLength1, dLength2, nTrimMode))
        return;
    FeatureLayout picked;
    CornerEditor::Side first;
    if (!pFirst->GetValueAndPickPoint(picked, first.pick))
        return;
    first.nRecordID = picked.GetRecordID();
    first.nLayoutID = picked.GetLayoutID();
    CornerEditor::DrawPreview(this, first, kChamferKinds, world, ChamferMaker(nType, dLength1, dLength2, nTrimMode));
}

}  // namespace QZ2Command
