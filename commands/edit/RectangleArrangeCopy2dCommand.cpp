#include "commands/edit/RectangleArrangeCopy2dCommand.h"

#include <cmath>
#include <memory>
#include <vector>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/IntegerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/LoadResourceString.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/TransformFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(RectangleArrangeCopy2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kColumnsCaption = 10803;
constexpr UINT kRowsCaption = 10804;
constexpr UINT kAngleCaption = 10707;
constexpr UINT kColumnSpacingCaption = 10765;
constexpr UINT kRowSpacingCaption = 10766;
constexpr UINT kProgress = 11117;
constexpr UINT kProgressStep = 11118;
constexpr UINT kUndoing = 11119;
constexpr UINT kCancelled = 11120;
// "Columns and rows are counted from 1 to 32767, not both 1; spacings are at least 1e-7."
constexpr UINT kOutOfRange = 11177;
constexpr int kMaxCount = 32767;
constexpr double kMinSpacing = 1e-7;
constexpr int kProgressBar = 0;
constexpr int kTextOnly = 1;
constexpr int kPumpEvery = 100;

LengthParameterItem SpacingItem(WORD wId)
{
    LengthParameterItem spacing;
    spacing.SetId(wId);
    spacing.SetCaption(wId == RectangleArrangeCopy2dCommand::itemColumnSpacing ? kColumnSpacingCaption
                                                                                : kRowSpacingCaption);
    spacing.m_bHistory = TRUE;
    return spacing;
}

}  // namespace

void RectangleArrangeCopy2dCommand::SetupParameters()
{
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, 0, EditCommandHelper::kAllKindsButOle,
                                          FALSE, 0);
    IntegerParameterItem count;
    count.SetId(itemColumns);
    count.SetCaption(kColumnsCaption);
    ShapeCommandHelper::AddSingleItemParameter(this, count);
    count.SetId(itemRows);
    count.SetCaption(kRowsCaption);
    ShapeCommandHelper::AddSingleItemParameter(this, count);

    AngleParameterItem angle;
    angle.SetId(itemAngle);
    angle.SetCaption(kAngleCaption);
    angle.SetValue(0.0);
    angle.SetDefaultValue(0.0);
    angle.m_bNoDefault = FALSE;
    angle.m_nRetentionMode = 1;
    angle.m_bHistory = TRUE;
    ShapeCommandHelper::AddSingleItemParameter(this, angle);

    ShapeCommandHelper::AddSingleItemParameter(this, SpacingItem(itemColumnSpacing));
    ShapeCommandHelper::AddSingleItemParameter(this, SpacingItem(itemRowSpacing));
}

BOOL RectangleArrangeCopy2dCommand::EnsureSpacing(WORD wId, BOOL bWanted)
{
    const int index = FindParameterIndex(wId);
    if (!bWanted) {
        if (index >= 0) {
            if (m_pManager != nullptr)
                m_pManager->RemoveParameter(this, index);
            else
                RemoveParameter(index);
        }
        return FALSE;
    }
    if (index >= 0)
        return FALSE;
    // The column spacing goes in front of the row spacing, the row spacing at the end.
    auto pParameter = std::make_unique<CommandParameter>();
    pParameter->SetCurrentIndex(pParameter->AddItem(SpacingItem(wId)));
    const int rows = FindParameterIndex(itemRowSpacing);
    BOOL bAdded = FALSE;
    if (wId == itemColumnSpacing && rows >= 0)
        bAdded = m_pManager != nullptr ? m_pManager->InsertParameter(this, rows, pParameter.get())
                                       : InsertParameter(rows, pParameter.get()) >= 0;
    else
        bAdded = m_pManager != nullptr ? m_pManager->AddParameter(this, pParameter.get())
                                       : AddParameter(pParameter.get()) >= 0;
    if (bAdded)
        pParameter.release();
    return bAdded;
}

int RectangleArrangeCopy2dCommand::OnInput(int)
{
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    if (pDocument == nullptr)
        return resultMissing;
    Grid grid;
    const auto* pColumns = static_cast<const IntegerParameterItem*>(FindItem(itemColumns));
    const auto* pRows = static_cast<const IntegerParameterItem*>(FindItem(itemRows));
    if (pColumns != nullptr && !pColumns->IsEmpty())
        pColumns->GetValue(grid.nColumns);
    if (pRows != nullptr && !pRows->IsEmpty())
        pRows->GetValue(grid.nRows);
    if (grid.nColumns < 1 || grid.nColumns > kMaxCount || grid.nRows < 1 || grid.nRows > kMaxCount ||
        (grid.nColumns == 1 && grid.nRows == 1)) {
        EditCommandHelper::ShowStatus(this, kOutOfRange);
        return resultNothing;
    }
    // A single column or row needs no spacing across it.
    const BOOL bColumnsGiven = pColumns != nullptr && !pColumns->IsEmpty();
    const BOOL bRowsGiven = pRows != nullptr && !pRows->IsEmpty();
    if (EnsureSpacing(itemColumnSpacing, !(bColumnsGiven && grid.nColumns == 1)) || !bColumnsGiven)
        return resultMissing;
    if (EnsureSpacing(itemRowSpacing, !(bRowsGiven && grid.nRows == 1)) || !bRowsGiven)
        return resultMissing;

    const auto* pAngle = dynamic_cast<const AngleParameterItem*>(FindItem(itemAngle));
    if (pAngle == nullptr || pAngle->IsEmpty() || !pAngle->GetValue(grid.dAngle))
        return resultMissing;
    for (WORD id : {itemColumnSpacing, itemRowSpacing}) {
        const auto* pSpacing = dynamic_cast<const LengthParameterItem*>(FindItem(id));
        if (pSpacing == nullptr)
            continue;
        double value = 0.0;
        if (pSpacing->IsEmpty() || !pSpacing->GetValue(value))
            return resultMissing;
        if (std::fabs(value) < kMinSpacing) {
            EditCommandHelper::ShowStatus(this, kOutOfRange);
            return resultNothing;
        }
        (id == itemColumnSpacing ? grid.dColumnSpacing : grid.dRowSpacing) = value;
    }
    const ParameterItemBase* pShapes = FindItem(itemShapes);
    CArray<FeatureLayout> shapes;
    if (pShapes == nullptr || pShapes->IsEmpty() || !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes))
        return resultMissing;
    if (shapes.IsEmpty())
        return resultNothing;

    const BOOL bDone = CopyGrid(pDocument, m_pManager, shapes, grid);
    if (!bDone)
        return resultFinished;
    // The next array starts with both spacings asked for.
    EnsureSpacing(itemColumnSpacing, TRUE);
    EnsureSpacing(itemRowSpacing, TRUE);
    return resultDone;
}

BOOL RectangleArrangeCopy2dCommand::CopyGrid(Draw2dDocument* pDocument, CommandManager* pManager,
                                             const CArray<FeatureLayout>& shapes, const Grid& grid, BOOL* pCancelled)
{
    RuVaPnt2d anchor(0, 0);
    if (pManager != nullptr)
        pManager->LocalToWorldPoint(RuVaPnt2d(0, 0), anchor);
    const double a = grid.dAngle * RuVa::DegToRad;
    const double c = std::cos(a);
    const double s = std::sin(a);
    std::vector<Position> positions;
    int number = 0;
    for (int row = 0; row < grid.nRows; ++row) {
        for (int column = 0; column < grid.nColumns; ++column) {
            ++number;
            if (row == 0 && column == 0)
                continue;
            const double dx = column * grid.dColumnSpacing;
            const double dy = row * grid.dRowSpacing;
            positions.push_back({anchor, RuVaPnt2d(anchor.X() + dx * c - dy * s, anchor.Y() + dx * s + dy * c), 0.0,
                                 number});
        }
    }
    return CopyAtPositions(pDocument, pManager, shapes, positions, grid.nColumns * grid.nRows, pCancelled);
}

BOOL RectangleArrangeCopy2dCommand::CopyAtPositions(Draw2dDocument* pDocument, CommandManager* pManager,
                                                    const CArray<FeatureLayout>& shapes,
                                                    const std::vector<Position>& positions, int nTotal,
                                                    BOOL* pCancelled)
{
    if (pCancelled != nullptr)
        *pCancelled = FALSE;
    if (pDocument == nullptr || shapes.IsEmpty())
        return FALSE;
    const BOOL bProgress =
        pManager != nullptr && pManager->BeginProgress(LoadResourceString(kProgress), 0, nTotal, TRUE, kProgressBar);
    BOOL bAll = TRUE;
    BOOL bCancel = FALSE;
    const int undo = pDocument->GetUndoCount();
    pDocument->BeginUndoOperation(nullptr);
    for (size_t k = 0; k < positions.size() && !bCancel; ++k) {
        const Position& position = positions[k];
        if (bProgress) {
            CString step;
            step.Format(LoadResourceString(kProgressStep), position.nNumber, nTotal);
            pManager->StepProgress(FALSE, step);
        }
        for (INT_PTR i = 0; i < shapes.GetSize() && !bCancel; ++i) {
            // Escape is noticed while messages are pumped.
            if (bProgress && i % kPumpEvery == 0) {
                pManager->PumpProgressMessages();
                if ((bCancel = pManager->IsProgressCancelled()) != FALSE)
                    break;
            }
            EditCommandHelper::Place place;
            if (EditCommandHelper::Locate(pDocument, shapes[i], place)) {
                TransformFeature transform;
                transform.SetTransform(EditCommandHelper::WorldToLocal(place.pLayout, position.from), 1.0, 1.0, 1.0,
                                       position.dAngle, EditCommandHelper::WorldToLocal(place.pLayout, position.to));
                std::unique_ptr<Feature2dBase> copy(transform.Transformed(place.pFeature));
                if (!copy || pDocument->AddFeature(copy.get(), place.pDrawing, 0) == -1)
                    bAll = FALSE;
            }
            bCancel = pManager != nullptr && pManager->IsProgressCancelled();
        }
    }
    if (bProgress)
        pManager->EndProgress();
    pDocument->EndUndoOperation();
    if (bCancel) {
        // Only a step this run recorded is taken back, never the user's previous one.
        const BOOL bUndoing = pManager->BeginProgress(LoadResourceString(kUndoing), 0, 1, FALSE, kTextOnly);
        if (pDocument->GetUndoCount() > undo) {
            pDocument->Undo(1);
            pDocument->ClearRedoHistory();
        }
        if (bUndoing)
            pManager->EndProgress();
        pManager->ShowStatusInformation(LoadResourceString(kCancelled), 3000);
    }
    pDocument->UpdateAllFeatures(TRUE);
    if (pCancelled != nullptr)
        *pCancelled = bCancel;
    return bAll;
}

}  // namespace QZ2Command
