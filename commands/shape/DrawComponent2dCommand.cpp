#include "commands/shape/DrawComponent2dCommand.h"

#include <cfloat>
#include <cmath>
#include <memory>
#include <vector>

#include "command/AngleParameterItem.h"
#include "command/CommandManager.h"
#include "command/DrawComponentParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "commands/shape/CAttributeDialog.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/ResolvedFeature2dList.h"
#include "platform/win/WinConstants.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawComponent2dCommand, CommandBase)

namespace {

constexpr UINT kMsgContainsItself = 10980;
constexpr int kComponentDrawing = 3;
constexpr int kOnLayerZero = 1;

CMainFrame* MainFrame()
{
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    return shell.pfnGetMainFrame != nullptr ? shell.pfnGetMainFrame() : nullptr;
}

}  // namespace

DrawComponent2dCommand::DrawComponent2dCommand() = default;

DrawComponent2dCommand::~DrawComponent2dCommand() = default;

Draw2dDocument* DrawComponent2dCommand::GetComponentDocument() const
{
    return m_pManager != nullptr ? m_pManager->GetComponentDocument() : nullptr;
}

void DrawComponent2dCommand::SetupParameters()
{
    DrawComponentParameterItem component;
    ShapeCommandHelper::PrepareItem(component, itemComponent, 10715, 10974);
    component.m_nRetentionMode = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, component);

    ListParameterItem layer;
    ShapeCommandHelper::PrepareItem(layer, itemLayer, 10795, 10975);
    layer.SetItemsFromText(LoadResourceString(10836));
    layer.SetValue(kOnLayerZero);
    layer.SetDefaultValue(0);
    layer.m_nRetentionMode = 2;
    ShapeCommandHelper::AddSingleItemParameter(this, layer);

    ScaleParameterItem scale;
    ShapeCommandHelper::PrepareItem(scale, itemScale, 10706, 10977);
    scale.SetValue(1.0, 1.0);
    scale.SetDefaultValue(1.0, 1.0);
    scale.m_bHistory = TRUE;
    scale.m_nRetentionMode = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, scale);

    AngleParameterItem angle;
    ShapeCommandHelper::PrepareItem(angle, itemAngle, 10707, 10978);
    angle.SetValue(0.0);
    angle.SetDefaultValue(0.0);
    angle.m_bHistory = TRUE;
    angle.m_nRetentionMode = 1;
    ShapeCommandHelper::AddSingleItemParameter(this, angle);

    PointParameterItem point;
    ShapeCommandHelper::PrepareItem(point, itemPoint, 10729, 10979);
    ShapeCommandHelper::AddSingleItemParameter(this, point);
}

BOOL DrawComponent2dCommand::OnStart()
{
    m_bBarShown = FALSE;
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    CMainFrame* pFrame = MainFrame();
    if (pFrame != nullptr && shell.pfnIsDrawComponentBarVisible != nullptr && shell.pfnShowDrawComponentBar != nullptr &&
        !shell.pfnIsDrawComponentBarVisible(pFrame)) {
        shell.pfnShowDrawComponentBar(pFrame, TRUE);
        m_bBarShown = TRUE;
    }
    if (auto* pItem = dynamic_cast<DrawComponentParameterItem*>(FindItem(itemComponent))) {
        const Draw2dDocument* pSource = GetComponentDocument();
        pItem->m_pTable = pSource != nullptr ? pSource->GetComponentDefineTable() : nullptr;
    }
    return TRUE;
}

void DrawComponent2dCommand::HideBar()
{
    const CommandManager::ShellServices& shell = CommandManager::GetShellServices();
    CMainFrame* pFrame = MainFrame();
    if (m_bBarShown && pFrame != nullptr && shell.pfnShowDrawComponentBar != nullptr)
        shell.pfnShowDrawComponentBar(pFrame, FALSE);
    m_bBarShown = FALSE;
}

BOOL DrawComponent2dCommand::ValidateParameterValue(int, const ParameterItemBase& value)
{
    const ParameterItemBase* pNow = FindItem(value.GetId());
    BOOL bChanged = FALSE;
    switch (value.GetId()) {
    case itemComponent:
    case itemLayer:
        bChanged = pNow == nullptr || !pNow->IsEqual(value);
        break;
    case itemScale: {
        double x0 = 1.0, y0 = 1.0, x1 = 1.0, y1 = 1.0;
        if (const auto* p = dynamic_cast<const ScaleParameterItem*>(pNow); p != nullptr && !p->IsEmpty())
            p->GetValue(x0, y0);
        if (const auto* p = dynamic_cast<const ScaleParameterItem*>(&value); p != nullptr && !p->IsEmpty())
            p->GetValue(x1, y1);
        bChanged = std::fabs(x1 - x0) >= DBL_MIN || std::fabs(y1 - y0) >= DBL_MIN;
        break;
    }
    case itemAngle: {
        double a0 = 0.0, a1 = 0.0;
        if (const auto* p = dynamic_cast<const DoubleParameterItem*>(pNow); p != nullptr && !p->IsEmpty())
            p->GetValue(a0);
        if (const auto* p = dynamic_cast<const DoubleParameterItem*>(&value); p != nullptr && !p->IsEmpty())
            p->GetValue(a1);
        bChanged = std::fabs(a1 - a0) >= DBL_MIN;
        break;
    }
    default:
        break;
    }
    if (bChanged && GetDrag() != nullptr)
        GetDrag()->ClearDragData();
    return TRUE;
}

int DrawComponent2dCommand::OnInput(int)
{
    Draw2dDocument* pTarget = ShapeCommandHelper::GetDocument(this);
    Draw2dDocument* pSource = GetComponentDocument();
    const auto* pComponent = dynamic_cast<const DrawComponentParameterItem*>(FindItem(itemComponent));
    int component = -1;
    if (pTarget == nullptr || pComponent == nullptr || pComponent->IsEmpty() || !pComponent->GetValue(component))
        return resultMissing;
    if (pSource == nullptr)
        return resultNothing;

    // A component cannot go into a definition that it contains.
    const DrawingFeatureBase* pActive = pTarget->GetActiveDrawingFeature();
    if (pActive != nullptr && pActive->GetDrawingType() == kComponentDrawing && pTarget == pSource) {
        const auto* pEdited = dynamic_cast<const DrawComponent2dFeatureDefine*>(pActive);
        if (pEdited != nullptr &&
            DrawComponent2dFeatureDefine::IsIncludeComponentId(pEdited->GetComponentId(), component,
                                                               pTarget->GetComponentDefineTable())) {
            if (m_pManager != nullptr) {
                m_pManager->ClearParameterValue(FindParameterIndex(itemComponent), FALSE);
                m_pManager->ShowStatusInformation(LoadResourceString(kMsgContainsItself), 3000);
            }
            return resultConditional;
        }
    }

    const auto* pLayer = dynamic_cast<const ListParameterItem*>(FindItem(itemLayer));
    const auto* pScale = dynamic_cast<const ScaleParameterItem*>(FindItem(itemScale));
    const auto* pAngle = dynamic_cast<const DoubleParameterItem*>(FindItem(itemAngle));
    const ParameterItemBase* pPoint = FindItem(itemPoint);
    int layer = 0;
    double sx = 1.0, sy = 1.0, angle = 0.0;
    RuVaPnt2d point;
    if (pLayer == nullptr || pLayer->IsEmpty() || !pLayer->GetValue(layer) || pScale == nullptr || pScale->IsEmpty() ||
        !pScale->GetValue(sx, sy) || pAngle == nullptr || pAngle->IsEmpty() || !pAngle->GetValue(angle) ||
        pPoint == nullptr || pPoint->IsEmpty() || !GetPointValue(*pPoint, point, TRUE))
        return resultMissing;

    DrawComponent2dFeature feature;
    if (!feature.SetScale(sx, sy) || !feature.SetAngle(angle) || !feature.SetOrigin(point))
        return resultNothing;
    feature.SetColorNo(kOwnAttributes);
    feature.SetLineTypeNo(kOwnAttributes);
    feature.SetLineWidthNo(kOwnAttributes);
    feature.SetLayerID(layer == kOnLayerZero ? 0 : pTarget->GetCurrentLayerID());

    m_bInserting = TRUE;
    const int undoBefore = pTarget->GetUndoCount();
    pTarget->BeginUndoOperation(nullptr);
    BOOL bAdded = FALSE;
    BOOL bCancelled = FALSE;
    const long defineID = pTarget->AddDrawComponentDefine(pSource, component);
    if (defineID != -1) {
        const DrawComponent2dFeatureDefineTable* pTable = pTarget->GetComponentDefineTable();
        const DrawComponent2dFeatureDefine* pDefine = pTable != nullptr ? pTable->GetComponentDefine(defineID) : nullptr;
        FeatureAttribute attributes;
        if (pDefine != nullptr && pDefine->GetAttribute().GetAttributeCount() > 0) {
            attributes = pDefine->GetAttribute();
            if (pDefine->IsAttributePrompt()) {
                CAttributeDialog dialog(CAttributeDialog::modeComponents, pTarget, nullptr);
                dialog.SetFeatureAttribute(attributes, 0);
                if (dialog.DoModal() != IDOK)
                    bCancelled = TRUE;
                else
                    attributes = dialog.GetFeatureAttribute(0);
            }
        }
        if (!bCancelled) {
            // Values left empty are not kept with the component.
            for (int i = attributes.GetAttributeCount() - 1; i >= 0; --i)
                if (attributes.GetAttributeValue(i).IsEmpty())
                    attributes.RemoveAttribute(i);
            if (attributes.GetAttributeCount() > 0)
                feature.SetDrawComponentAttribute(attributes);
            feature.SetComponentDefineID(defineID);
            bAdded = pTarget->AddFeature(&feature, ShapeCommandHelper::GetActiveDrawing(this), 1) != -1;
        }
    }
    pTarget->EndUndoOperation();
    if (bCancelled && pTarget->GetUndoCount() > undoBefore) {
        // The definition copied for a placement the user cancelled goes again, leaving no step behind.
        pTarget->Undo();
        pTarget->ClearRedoHistory();
    }
    m_bInserting = FALSE;
    if (GetDrag() != nullptr)
        GetDrag()->ClearDragData();
    if (bCancelled)
        return resultConditional;
    HideBar();
    return bAdded ? resultDone : resultNothing;
}

void DrawComponent2dCommand::RebuildPreview()
{
    Drag* pDrag = GetDrag();
    if (pDrag == nullptr)
        return;
    pDrag->ClearDragData();
    pDrag->ClearFeature();
    const Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetView() : nullptr;
    const Draw2dDocument* pSource = GetComponentDocument();
    const auto* pComponent = dynamic_cast<const DrawComponentParameterItem*>(FindItem(itemComponent));
    int component = -1;
    if (pView == nullptr || pSource == nullptr || pComponent == nullptr || pComponent->IsEmpty() ||
        !pComponent->GetValue(component))
        return;
    const DrawComponent2dFeatureDefineTable* pTable = pSource->GetComponentDefineTable();
    const DrawComponent2dFeatureDefine* pDefine = pTable != nullptr ? pTable->GetComponentDefine(component) : nullptr;
    if (pDefine == nullptr)
        return;
    double sx = 1.0, sy = 1.0;
    if (const auto* pScale = dynamic_cast<const ScaleParameterItem*>(FindItem(itemScale)); pScale && !pScale->IsEmpty())
        pScale->GetValue(sx, sy);
    RuVaPnt2d origin(0.0, 0.0);
    m_pManager->LocalToWorldPoint(RuVaPnt2d(0.0, 0.0), origin);
    pDrag->SetOrigin(origin);
    pDrag->SetScale(sx, sy);
    // The definition's shapes, in its own coordinates about its origin.
    const DrawingFeatureBase* pDrawing = m_pManager->GetActiveDrawing();
    // Components and groups inside it show as the shapes they resolve to, nested ones included.
    for (long id : pDefine->GetRecordIdData()) {
        const Feature2dBase* pShape = pSource->GetFeature(id);
        if (pShape == nullptr)
            continue;
        const int type = pShape->GetFeatureType();
        if (type != FeatureTypeDrawComponent && type != FeatureTypeDrawGroup) {
            pDrag->AddFeature(pDrawing, pView->GetActivePartLayout(), const_cast<Feature2dBase*>(pShape), TRUE);
            continue;
        }
        const ResolvedFeature2dList* pParts = pSource->GetResolveData(id, nullptr, nullptr);
        if (pParts == nullptr)
            continue;
        // The list is the document's until its next call: copies are added.
        std::vector<std::unique_ptr<Feature2dBase>> parts;
        for (int i = 0; i < pParts->GetFeatureSize(); ++i)
            if (const Feature2dBase* pPart = pParts->GetFeature(i); pPart != nullptr && pPart->GetFeatureType() != FeatureTypeDrawComponent &&
                                                                pPart->GetFeatureType() != FeatureTypeDrawGroup)
                parts.emplace_back(pPart->CopyObject(Feature2dBase::copyAll));
        for (auto& part : parts)
            pDrag->AddFeature(pDrawing, pView->GetActivePartLayout(), part.release(), FALSE);
    }
}

void DrawComponent2dCommand::DrawPreview(const CPoint&, const RuVaPnt2d& world, const RuVaPnt2d&, UINT)
{
    const ParameterItemBase* pComponent = FindItem(itemComponent);
    Drag* pDrag = GetDrag();
    if (pComponent == nullptr || pComponent->IsEmpty() || pDrag == nullptr || m_pManager == nullptr)
        return;
    if (pDrag->IsEmptyDragData())
        RebuildPreview();
    double angle = 0.0;
    AngleParameterItem angleItem;
    if (GetParameterValueByID(itemAngle, angleItem) && !angleItem.IsEmpty())
        angleItem.GetValue(angle);
    RuVaPnt2d at = world;
    PointParameterItem pointItem;
    if (GetParameterValueByID(itemPoint, pointItem)) {
        RuVaPnt2d local;
        if (!GetPointValue(pointItem, local, TRUE))
            return;
        m_pManager->LocalToWorldPoint(local, at);
    }
    Draw2dDocument* pDocument = ShapeCommandHelper::GetDocument(this);
    Draw2dView* pView = m_pManager->GetView();
    if (pDocument != nullptr && pView != nullptr && !pDrag->IsEmptyDragData())
        pDrag->DrawDrag(pDocument, pView, at, angle);
}

void DrawComponent2dCommand::OnEnd()
{
    if (GetDrag() != nullptr) {
        GetDrag()->ClearDragData();
        GetDrag()->ClearFeature();
    }
    m_bInserting = FALSE;
    // A bar the command opened goes again, also when nothing was placed.
    HideBar();
    CommandBase::OnEnd();
}

void DrawComponent2dCommand::OnDocumentChanging(Draw2dDocument* pPrevious)
{
    CommandBase::OnDocumentChanging(pPrevious);
    RebuildPreview();
}

void DrawComponent2dCommand::OnDocumentUpdated(const NotifyInfoBase& info)
{
    CommandBase::OnDocumentUpdated(info);
    if (!m_bInserting)
        RebuildPreview();
}

void DrawComponent2dCommand::OnViewChanged()
{
    CommandBase::OnViewChanged();
    RebuildPreview();
}

void DrawComponent2dCommand::OnActiveDrawingChanged(long nValue1, long nValue2)
{
    CommandBase::OnActiveDrawingChanged(nValue1, nValue2);
    RebuildPreview();
}

}  // namespace QZ2Command
