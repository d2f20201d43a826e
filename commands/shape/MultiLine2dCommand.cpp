#include "commands/shape/MultiLine2dCommand.h"

#include <cmath>
#include <memory>
#include <utility>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "commands/shape/ShapeCommandMessages.h"
#include "libs/ruva/RuVaDir2d.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Polyline2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(MultiLine2dCommand, CommandBase)

namespace {

constexpr UINT kBaseLineCaption = 10818;
constexpr UINT kBaseLineList = 10828;
constexpr UINT kFirstCountCaption = 10800;
constexpr UINT kSecondCountCaption = 10801;
constexpr UINT kModeCaption = 10819;
constexpr UINT kModeList = 10841;
constexpr UINT kSpacingCaption = 10762;
constexpr UINT kFirstSpacingCaption = 10767;
constexpr UINT kSecondSpacingCaption = 10768;
constexpr UINT kPointsCaption = 10708;
constexpr UINT kShapeCaption = 10715;

ListParameterItem ModeItem()
{
    ListParameterItem mode;
    ShapeCommandHelper::PrepareItem(mode, MultiLine2dCommand::itemSpacingMode, kModeCaption, 0);
    mode.SetItemsFromStringId(kModeList);
    mode.SetDefaultValue(0);
    mode.SetValue(0);
    mode.m_nRetentionMode = 2;
    mode.m_bClearable = FALSE;
    return mode;
}

LengthParameterItem SpacingItem(WORD wId, UINT nCaption)
{
    LengthParameterItem spacing;
    ShapeCommandHelper::PrepareItem(spacing, wId, nCaption, 0);
    spacing.m_nRetentionMode = 1;
    spacing.m_bHistory = TRUE;
    return spacing;
}

// A count as given, 1 when not given. FALSE when it lies outside 0 to 256.
BOOL ReadCount(const CommandBase* pCommand, WORD wId, int& count)
{
    count = 1;
    const auto* pItem = dynamic_cast<const IntegerParameterItem*>(pCommand->FindItem(wId));
    if (pItem == nullptr || pItem->IsEmpty())
        return TRUE;
    return pItem->GetValue(count) && count >= 0 && count <= FeatureCreator::kMaxMultiLines;
}

}  // namespace

void MultiLine2dCommand::SetupParameters()
{
    ListParameterItem baseLine;
    ShapeCommandHelper::PrepareItem(baseLine, itemBaseLine, kBaseLineCaption, 0);
    baseLine.SetItemsFromStringId(kBaseLineList);
    baseLine.SetDefaultValue(0);
    baseLine.SetValue(1);
    baseLine.m_nRetentionMode = 2;
    baseLine.m_bClearable = FALSE;
    ShapeCommandHelper::AddSingleItemParameter(this, baseLine);

    for (WORD wId : {itemFirstCount, itemSecondCount}) {
        IntegerParameterItem count;
        ShapeCommandHelper::PrepareItem(count, wId, wId == itemFirstCount ? kFirstCountCaption : kSecondCountCaption, 0);
        count.SetDefaultValue(1);
        count.SetValue(1);
        count.m_nRetentionMode = 1;
        ShapeCommandHelper::AddSingleItemParameter(this, count);
    }
    ShapeCommandHelper::AddSingleItemParameter(this, ModeItem());
    ShapeCommandHelper::AddSingleItemParameter(this, SpacingItem(itemSpacing, kSpacingCaption));

    PointArrayParameterItem points;
    ShapeCommandHelper::PrepareItem(points, itemPoints, kPointsCaption, 0);
    points.m_wBaseItemId = itemPoints;
    FeatureParameterItem shape;
    ShapeCommandHelper::PrepareItem(shape, itemShape, kShapeCaption, 0);
    shape.m_dwAcceptedKinds = kShapeMask;
    shape.m_nPickSetting = 1;
    ShapeCommandHelper::AddAlternativesParameter(this, {&points, &shape});
}

void MultiLine2dCommand::LoadParameters()
{
    CommandBase::LoadParameters();
    // The rows now stand as they stood when the choices were saved: the later rows' choices are read again.
    if (FormRememberedSpacingRows())
        CommandBase::LoadParameters();
}

BOOL MultiLine2dCommand::FormRememberedSpacingRows()
{
    const int modeIndex = FindParameterIndex(itemSpacingMode);
    const auto* pMode = modeIndex >= 0 ? dynamic_cast<const ListParameterItem*>(GetParameterItem(modeIndex)) : nullptr;
    int mode = 0;
    if (pMode == nullptr || !pMode->GetValue(mode) || mode != 1 || FindParameterIndex(itemFirstSpacing) >= 0)
        return FALSE;
    const int common = FindParameterIndex(itemSpacing);
    if (common >= 0)
        RemoveParameter(common);
    int at = modeIndex + 1;
    for (const auto& [wId, nCaption] : {std::pair<WORD, UINT>{itemFirstSpacing, kFirstSpacingCaption},
                                       {itemSecondSpacing, kSecondSpacingCaption}}) {
        auto pParameter = std::make_unique<CommandParameter>();
        if (pParameter->AddItem(SpacingItem(wId, nCaption)) < 0 || !pParameter->SetCurrentIndex(0) ||
            InsertParameter(at++, pParameter.get()) < 0)
            return TRUE;
        pParameter.release();
    }
    return TRUE;
}

BOOL MultiLine2dCommand::OnAlternativeChanging(int nIndex, int)
{
    return nIndex >= 0 && nIndex < GetParameterCount() ? TRUE : FALSE;
}

BOOL MultiLine2dCommand::InsertItemParameter(int nIndex, const ParameterItemBase& item)
{
    auto pParameter = std::make_unique<CommandParameter>();
    if (pParameter->AddItem(item) < 0 || !pParameter->SetCurrentIndex(0))
        return FALSE;
    const BOOL bInserted = m_pManager != nullptr ? m_pManager->InsertParameter(this, nIndex, pParameter.get())
                                                 : (InsertParameter(nIndex, pParameter.get()) >= 0 ? TRUE : FALSE);
    if (bInserted)
        pParameter.release();
    return bInserted;
}

void MultiLine2dCommand::RemoveItemParameter(WORD wId)
{
    const int index = FindParameterIndex(wId);
    if (index < 0)
        return;
    if (m_pManager != nullptr)
        m_pManager->RemoveParameter(this, index);
    else
        RemoveParameter(index);
}

int MultiLine2dCommand::MakeLines(BOOL bPreview, Feature2dList*& pLines, UINT& nReason)
{
    pLines = nullptr;
    nReason = 0;
    const auto* pBaseLine = dynamic_cast<const ListParameterItem*>(FindItem(itemBaseLine));
    int baseLine = 0;
    if (pBaseLine == nullptr || pBaseLine->IsEmpty())
        return resultMissing;
    if (!pBaseLine->GetValue(baseLine))
        return resultNothing;
    int n1 = 1;
    int n2 = 1;
    if (!ReadCount(this, itemFirstCount, n1) || !ReadCount(this, itemSecondCount, n2)) {
        nReason = kMsgCountOutOfRange;
        return resultNothing;
    }
    if (n1 == 0 && n2 == 0) {
        nReason = kMsgCountNotPositive;
        return resultNothing;
    }

    // The spacings: one common one, or one per side.
    int mode = 0;
    if (const auto* pMode = dynamic_cast<const ListParameterItem*>(FindItem(itemSpacingMode))) {
        if (pMode->IsEmpty())
            return resultMissing;
        if (!pMode->GetValue(mode))
            return resultNothing;
    }
    double d1 = 0.0;
    double d2 = 0.0;
    LengthParameterItem spacing;
    if (mode == 0 || FindParameterIndex(itemSpacing) >= 0) {
        const ParameterItemBase* pSpacing = FindItem(itemSpacing);
        if (pSpacing == nullptr || pSpacing->IsEmpty() || !GetParameterValueByID(itemSpacing, spacing))
            return resultMissing;
        if (!spacing.GetValue(d1))
            return resultNothing;
        d2 = d1;
    } else {
        const ParameterItemBase* pFirst = FindItem(itemFirstSpacing);
        const ParameterItemBase* pSecond = FindItem(itemSecondSpacing);
        if (pFirst == nullptr || pSecond == nullptr || pFirst->IsEmpty() || pSecond->IsEmpty())
            return resultMissing;
        LengthParameterItem second;
        if (!GetParameterValueByID(itemFirstSpacing, spacing) || !GetParameterValueByID(itemSecondSpacing, second))
            return resultMissing;
        if (!spacing.GetValue(d1) || !second.GetValue(d2))
            return resultNothing;
    }
    if (!(d1 >= ShapeCommandHelper::kPointTolerance) || !(d2 >= ShapeCommandHelper::kPointTolerance) ||
        !std::isfinite(d1) || !std::isfinite(d2)) {
        nReason = kMsgSpacingNotPositive;
        return resultNothing;
    }

    const int baseIndex = FindParameterIndex(itemPoints);
    if (baseIndex < 0 || (!bPreview && IsParameterEmpty(baseIndex)))
        return resultMissing;
    std::unique_ptr<Feature2dBase> base;
    if (GetCurrentItemID(baseIndex) == itemPoints) {
        PointArrayParameterItem item;
        KcArrayOfGePnt2d points;
        if (!GetParameterValue(baseIndex, item) || !item.GetValue(points))
            return resultMissing;
        const INT_PTR n = points.GetSize();
        if (!bPreview && !item.m_bFinished) {
            // While the path is entered: no point may repeat the last or turn straight back along it.
            if (n > 2) {
                const RuVaPnt2d& a = points[n - 3];
                const RuVaPnt2d& b = points[n - 2];
                const RuVaPnt2d& c = points[n - 1];
                if (c.IsEqual(b, ShapeCommandHelper::kPointTolerance) ||
                    b.IsEqual(a, ShapeCommandHelper::kPointTolerance) ||
                    RuVaDir2d(b, c).IsOpposite(RuVaDir2d(a, b), 1e-12)) {
                    for (INT_PTR i = 0; i + 1 < n; ++i)
                        CollectPointCallback(2, points[i]);
                    nReason = kMsgPointRefused;
                    return resultNothing;
                }
            }
            for (INT_PTR i = 0; i < n; ++i)
                CollectPointCallback(2, points[i]);
            return resultMissing;
        }
        if (n < 2)
            return resultMissing;
        auto pPolyline = std::make_unique<Polyline2dFeature>();
        if (!pPolyline->SetPointArray(points)) {
            nReason = kMsgNoShape;
            return resultNothing;
        }
        base = std::move(pPolyline);
    } else {
        FeatureParameterItem item;
        RuVaPnt2d pick;
        if (!GetParameterValue(baseIndex, item))
            return resultMissing;
        const int taken = ShapeCommandHelper::TakePickedFeature(this, item, base, pick);
        if (taken == ShapeCommandHelper::pickMissing)
            return resultMissing;
        if (taken == ShapeCommandHelper::pickGone) {
            nReason = kMsgShapeGone;
            return resultNothing;
        }
    }
    if (bPreview) {
        // Each side shows its outermost line only.
        d1 *= n1 > 1 ? n1 : 1;
        d2 *= n2 > 1 ? n2 : 1;
        n1 = n1 > 1 ? 1 : n1;
        n2 = n2 > 1 ? 1 : n2;
    }
    pLines = FeatureCreator::CreateMultiLineFeature(base.get(), n1, n2, d1, d2, baseLine == 0 ? 1 : 0);
    if (pLines == nullptr) {
        nReason = kMsgNoShape;
        return resultNothing;
    }
    return resultDone;
}

int MultiLine2dCommand::OnInput(int nIndex)
{
    ClearPoints();
    if (ShapeCommandHelper::GetDocument(this) == nullptr)
        return resultNothing;
    const ParameterItemBase* pBaseLine = FindItem(itemBaseLine);
    int baseLine = 0;
    if (pBaseLine == nullptr || pBaseLine->IsEmpty())
        return resultMissing;
    if (!static_cast<const ListParameterItem*>(pBaseLine)->GetValue(baseLine))
        return resultNothing;
    int n1 = 1;
    int n2 = 1;
    if (!ReadCount(this, itemFirstCount, n1) || !ReadCount(this, itemSecondCount, n2))
        return ShapeCommandHelper::Refuse(this, kMsgCountOutOfRange, resultNothing);
    if (n1 == 0 && n2 == 0)
        return ShapeCommandHelper::Refuse(this, kMsgCountNotPositive, resultNothing);

    // Re-form the spacing rows for the counts.
    if (n1 == 0 || n2 == 0) {
        const int modeIndex = FindParameterIndex(itemSpacingMode);
        RemoveItemParameter(itemSpacingMode);
        RemoveItemParameter(itemFirstSpacing);
        RemoveItemParameter(itemSecondSpacing);
        if (FindParameterIndex(itemSpacing) < 0)
            InsertItemParameter(modeIndex >= 0 ? modeIndex : FindParameterIndex(itemSecondCount) + 1,
                                SpacingItem(itemSpacing, kSpacingCaption));
    } else if (FindParameterIndex(itemSpacingMode) < 0) {
        const int spacingIndex = FindParameterIndex(itemSpacing);
        InsertItemParameter(spacingIndex >= 0 ? spacingIndex : FindParameterIndex(itemSecondCount) + 1, ModeItem());
        return resultMissing;
    }
    const int modeIndex = FindParameterIndex(itemSpacingMode);
    if (modeIndex >= 0 && nIndex == modeIndex) {
        int mode = 0;
        if (!static_cast<const ListParameterItem*>(GetParameterItem(modeIndex))->GetValue(mode))
            return resultNothing;
        if (mode == 0) {
            RemoveItemParameter(itemFirstSpacing);
            RemoveItemParameter(itemSecondSpacing);
            if (FindParameterIndex(itemSpacing) < 0)
                InsertItemParameter(modeIndex + 1, SpacingItem(itemSpacing, kSpacingCaption));
        } else {
            RemoveItemParameter(itemSpacing);
            if (FindParameterIndex(itemFirstSpacing) < 0)
                InsertItemParameter(modeIndex + 1, SpacingItem(itemFirstSpacing, kFirstSpacingCaption));
            if (FindParameterIndex(itemSecondSpacing) < 0)
                InsertItemParameter(modeIndex + 2, SpacingItem(itemSecondSpacing, kSecondSpacingCaption));
        }
        return resultMissing;
    }

    Feature2dList* pList = nullptr;
    UINT nReason = 0;
    const int result = MakeLines(FALSE, pList, nReason);
    if (result != resultDone)
        return nReason != 0 ? ShapeCommandHelper::Refuse(this, nReason, result) : result;
    std::unique_ptr<Feature2dList> lines(pList);
    // All or nothing: a line refused part-way leaves the document as it was.
    if (!ShapeCommandHelper::BuildFeatureList(this, *lines, ShapeCommandHelper::actionAdd))
        return ShapeCommandHelper::Refuse(this, kMsgRefusedByDrawing, resultNothing);
    return resultDone;
}

void MultiLine2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
    Feature2dList* pList = nullptr;
    UINT nReason = 0;
    if (MakeLines(TRUE, pList, nReason) != resultDone)
        return;
    std::unique_ptr<Feature2dList> lines(pList);
    ShapeCommandHelper::BuildFeatureList(this, *lines, ShapeCommandHelper::actionPreview);
}

}  // namespace QZ2Command
