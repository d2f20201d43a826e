#include "commands/edit/MeasureCommandHelper.h"

#include <memory>

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/ParameterItemBase.h"
#include "command/PointParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "commands/edit/CMeasureResultDialog.h"
#include "commands/edit/MeasurePreview.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/SelectionManager.h"

namespace QZ2Command {

int MeasureCommandHelper::ReadPoint(CommandBase* pCommand, WORD wId, RuVaPnt2d& point)
{
    const ParameterItemBase* pItem = pCommand->FindItem(wId);
    if (pItem == nullptr || pItem->IsEmpty())
        return pointMissing;
    return pCommand->GetPointValue(*pItem, point, TRUE) ? pointTaken : pointUnreadable;
}

int MeasureCommandHelper::ReadTwoPoints(CommandBase* pCommand, WORD wFirst, WORD wSecond, RuVaPnt2d& first,
                                        RuVaPnt2d& second)
{
    int outcome = ReadPoint(pCommand, wFirst, first);
    if (outcome == pointTaken)
        outcome = ReadPoint(pCommand, wSecond, second);
    if (outcome == pointTaken)
        return 0;
    return outcome == pointMissing ? CommandBase::resultMissing : CommandBase::resultNothing;
}

int MeasureCommandHelper::TakePickedShape(CommandBase* pCommand, WORD wId, std::unique_ptr<Feature2dBase>& shape,
                                          RuVaPnt2d& pick)
{
    const auto* pItem = dynamic_cast<const FeatureParameterItem*>(pCommand->FindItem(wId));
    if (pItem == nullptr)
        return CommandBase::resultMissing;
    const int outcome = ShapeCommandHelper::TakePickedFeature(pCommand, *pItem, shape, pick);
    if (outcome == ShapeCommandHelper::pickMissing)
        return CommandBase::resultMissing;
    // A shape deleted since the pick, or one that cannot be seen through the active layout.
    if (outcome != ShapeCommandHelper::pickTaken)
        return ShapeCommandHelper::Refuse(pCommand, MeasurePreview::kShapeGoneMessage, CommandBase::resultNothing);
    return 0;
}

BOOL MeasureCommandHelper::PreviewPoint(CommandBase* pCommand, WORD wId, RuVaPnt2d& point)
{
    PointParameterItem item;
    return pCommand->GetParameterValueByID(wId, item) && pCommand->GetPointValue(item, point, TRUE);
}

BOOL MeasureCommandHelper::InsertRow(CommandBase* pCommand, int nIndex,
                                     std::initializer_list<const ParameterItemBase*> items)
{
    auto pParameter = std::make_unique<CommandParameter>();
    for (const ParameterItemBase* pItem : items) {
        if (pParameter->AddItem(*pItem) < 0)
            return FALSE;
    }
    pParameter->SetCurrentIndex(0);
    if (nIndex < 0)
        nIndex = pCommand->GetParameterCount();
    CommandManager* pManager = pCommand->m_pManager;
    const BOOL bAdded = pManager != nullptr ? pManager->InsertParameter(pCommand, nIndex, pParameter.get())
                                            : (pCommand->InsertParameter(nIndex, pParameter.get()) >= 0 ? TRUE : FALSE);
    if (bAdded)
        pParameter.release();
    return bAdded;
}

void MeasureCommandHelper::RemoveRow(CommandBase* pCommand, int nIndex)
{
    if (nIndex < 0 || nIndex >= pCommand->GetParameterCount())
        return;
    if (pCommand->m_pManager != nullptr)
        pCommand->m_pManager->RemoveParameter(pCommand, nIndex);
    else
        pCommand->RemoveParameter(nIndex);
}

void MeasureCommandHelper::RemoveRowsAfterFirst(CommandBase* pCommand)
{
    for (int i = pCommand->GetParameterCount() - 1; i >= 1; --i)
        RemoveRow(pCommand, i);
}

void MeasureCommandHelper::ShowResult(CommandBase* pCommand, CMeasureResultDialog& dialog, BOOL bAngle)
{
    if (const Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(pCommand)) {
        dialog.m_nLengthFormat = static_cast<int>(pDocument->GetLengthUnitFormatType());
        dialog.m_nAngleFormat = static_cast<int>(pDocument->GetAngleUnitFormatType());
        dialog.m_nPrecision = static_cast<int>(bAngle ? pDocument->GetAnglePrecision() : pDocument->GetDistPrecision());
    }
    dialog.DoModal();
}

BOOL MeasureCommandHelper::GetSelectedPick(const Draw2dDocument* pDocument, int nGroup, long& nRecordID,
                                           long& nLayoutID, RuVaPnt2d& pick)
{
    const SelectionManager* pSelection = pDocument != nullptr ? pDocument->GetSelectionManager() : nullptr;
    if (pSelection == nullptr || nGroup < 0 || nGroup >= pSelection->GetSelectionGroupCount() ||
        pSelection->GetSelectionGroupSelectShapeMode(nGroup) != 4)
        return FALSE;
    CArray<FeatureLayout> group;
    if (!pSelection->GetSelectionGroup(nGroup, group) || group.IsEmpty())
        return FALSE;
    nRecordID = group[0].GetRecordID();
    nLayoutID = group[0].GetLayoutID();
    const KcArrayOfGePnt2d& points = pSelection->GetSelectionGroupPointList(nGroup);
    pick = points.IsEmpty() ? RuVaPnt2d() : points.GetAt(0);
    return TRUE;
}

int MeasureCommandHelper::GetSelectedPickType(const Draw2dDocument* pDocument, int nGroup)
{
    long nRecordID = -1;
    long nLayoutID = -1;
    RuVaPnt2d pick;
    if (!GetSelectedPick(pDocument, nGroup, nRecordID, nLayoutID, pick) || nRecordID <= 0 ||
        pDocument->GetFeature(nRecordID) == nullptr)
        return 0;
    return pDocument->GetFeatureType(nRecordID);
}

}  // namespace QZ2Command
