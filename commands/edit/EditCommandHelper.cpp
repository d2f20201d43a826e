#include "commands/edit/EditCommandHelper.h"

#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/PartDrawingLayout.h"

namespace QZ2Command {

namespace {
constexpr UINT kExclamationOk = 0x30;
constexpr UINT kStatusMs = 3000;
}  // namespace

BOOL EditCommandHelper::AddShapesParameter(CommandBase* pCommand, WORD wId, UINT nCaptionId, UINT nPromptId,
                                           DWORD dwKinds, BOOL bEditableOnly, int nRetention)
{
    FeatureGroupParameterItem shapes;
    ShapeCommandHelper::PrepareItem(shapes, wId, nCaptionId, nPromptId);
    shapes.m_bTakeSelection = TRUE;
    shapes.m_dwAcceptedKinds = dwKinds;
    shapes.m_bEditableOnly = bEditableOnly;
    shapes.m_nRetentionMode = nRetention;
    return ShapeCommandHelper::AddSingleItemParameter(pCommand, shapes);
}

BOOL EditCommandHelper::GetFeatureLayouts(const CommandBase* pCommand, WORD wId, CArray<FeatureLayout>& shapes)
{
    shapes.RemoveAll();
    const auto* pItem = pCommand != nullptr ? dynamic_cast<const FeatureGroupParameterItem*>(pCommand->FindItem(wId))
                                            : nullptr;
    return pItem != nullptr && pItem->GetFeatureLayouts(shapes) ? TRUE : FALSE;
}

BOOL EditCommandHelper::Locate(const Draw2dDocument* pDocument, const FeatureLayout& shape, Place& place)
{
    place = Place();
    if (pDocument == nullptr)
        return FALSE;
    Feature2dBase* pFeature = pDocument->GetFeature(shape.GetRecordID());
    DrawingFeatureBase* pDrawing = pDocument->GetParentDrawingFeature(shape.GetRecordID());
    if (pFeature == nullptr || pDrawing == nullptr)
        return FALSE;
    place.pFeature = pFeature;
    place.pDrawing = pDrawing;
    // A layout that does not show the shape's drawing (a stale id) is no way to see it.
    const PartDrawingLayout* pLayout = pDocument->GetPartLayoutByID(shape.GetLayoutID());
    if (pLayout != nullptr && pLayout->GetDrawingID() == pDrawing->GetDrawingID())
        place.pLayout = pLayout;
    return TRUE;
}

RuVaPnt2d EditCommandHelper::WorldToLocal(const PartDrawingLayout* pLayout, const RuVaPnt2d& world)
{
    RuVaPnt2d local;
    Draw2dView::ConvertPointWorldToLocal(pLayout, world, local);
    return local;
}

RuVaPnt2d EditCommandHelper::LocalToWorld(const PartDrawingLayout* pLayout, const RuVaPnt2d& local)
{
    RuVaPnt2d world;
    Draw2dView::ConvertPointLocalToWorld(pLayout, local, world);
    return world;
}

BOOL EditCommandHelper::GetWorldPoint(CommandBase* pCommand, WORD wId, RuVaPnt2d& world)
{
    const ParameterItemBase* pItem = pCommand != nullptr ? pCommand->FindItem(wId) : nullptr;
    RuVaPnt2d local;
    if (pItem == nullptr || !pCommand->GetPointValue(*pItem, local, TRUE))
        return FALSE;
    world = local;
    if (pCommand->m_pManager != nullptr)
        pCommand->m_pManager->LocalToWorldPoint(local, world);
    return TRUE;
}

void EditCommandHelper::ShowMessage(CommandBase* pCommand, UINT nStringId)
{
    ShowMessage(pCommand, LoadResourceString(nStringId));
}

void EditCommandHelper::ShowMessage(CommandBase* pCommand, const CString& text)
{
    if (pCommand != nullptr && pCommand->m_pManager != nullptr)
        pCommand->m_pManager->ShowMessageBox(text, kExclamationOk);
}

CString EditCommandHelper::FormatCount(UINT nStringId, int nValue)
{
    CString text;
    text.Format(LoadResourceString(nStringId), nValue);
    return text;
}

void EditCommandHelper::ShowStatus(CommandBase* pCommand, UINT nStringId, int nValue)
{
    if (pCommand != nullptr && pCommand->m_pManager != nullptr)
        pCommand->m_pManager->ShowStatusInformation(FormatCount(nStringId, nValue), kStatusMs);
}

void EditCommandHelper::ShowStatus(CommandBase* pCommand, UINT nStringId)
{
    if (pCommand != nullptr && pCommand->m_pManager != nullptr)
        pCommand->m_pManager->ShowStatusInformation(LoadResourceString(nStringId), kStatusMs);
}

}  // namespace QZ2Command
