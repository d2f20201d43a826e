#include "commands/edit/ClipboardCopy2dCommand.h"

#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <unordered_set>

#include "command/CommandManager.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/PointParameterItem.h"
#include "commands/edit/ClipDocument.h"
#include "commands/edit/EditCommandHelper.h"
#include "commands/shape/ShapeCommandHelper.h"
#include "platform/afx/AfxGlobalMemory.h"
#include "platform/afx/CException.h"
#include "platform/ole/COleDataSource.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawViewInfo.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ClipboardCopy2dCommand, CommandBase)

namespace {

constexpr UINT kShapesCaption = 10715;
constexpr UINT kShapesPrompt = 10504;
constexpr UINT kBaseCaption = 10728;
constexpr UINT kBasePrompt = 10505;
// "Shapes of one part drawing were picked through two different layouts ..."
constexpr UINT kLayoutConflict = 10506;

ClipboardCopy2dCommand::AppServices& Services()
{
    static ClipboardCopy2dCommand::AppServices services;
    return services;
}

// View types of the saved tabs.
constexpr int kViewPaper = 0;
constexpr int kViewPart = 1;
constexpr int kViewComponent = 4;

int ViewTypeOf(const DrawingFeatureBase* pDrawing)
{
    if (pDrawing == nullptr)
        return kViewPaper;
    if (pDrawing->IsDrawComponentDefine())
        return kViewComponent;
    return pDrawing->IsPaperFeature() ? kViewPaper : kViewPart;
}

}  // namespace

void ClipboardCopy2dCommand::SetAppServices(const AppServices& services)
{
    Services() = services;
}

const ClipboardCopy2dCommand::AppServices& ClipboardCopy2dCommand::GetAppServices()
{
    return Services();
}

void ClipboardCopy2dCommand::SetupParameters()
{
    const BOOL bCut = m_strIdentifier == _T("Korvan.Edit.ClipboardCut");
    EditCommandHelper::AddShapesParameter(this, itemShapes, kShapesCaption, kShapesPrompt, EditCommandHelper::kAllKinds,
                                          bCut, 0);
    PointParameterItem base;
    ShapeCommandHelper::PrepareItem(base, itemBase, kBaseCaption, kBasePrompt);
    ShapeCommandHelper::AddSingleItemParameter(this, base);
}

int ClipboardCopy2dCommand::OnInput(int)
{
    const ParameterItemBase* pShapes = FindItem(itemShapes);
    const ParameterItemBase* pBase = FindItem(itemBase);
    if (pShapes == nullptr || pBase == nullptr)
        return resultMissing;
    CArray<FeatureLayout> shapes;
    if (pShapes->IsEmpty() || !EditCommandHelper::GetFeatureLayouts(this, itemShapes, shapes) || shapes.IsEmpty())
        return resultNothing;
    RuVaPnt2d base;
    if (!EditCommandHelper::GetWorldPoint(this, itemBase, base))
        return resultMissing;
    if (m_pManager == nullptr || m_pManager->GetView() == nullptr)
        return resultConditional;
    return CopyFeaturesToClipboard(m_pManager, shapes, base, m_strIdentifier == _T("Korvan.Edit.ClipboardCut"))
               ? resultDone
               : resultFinished;
}

ClipDocument* ClipboardCopy2dCommand::BuildClip(CommandManager* pManager, Draw2dDocument* pSource, Draw2dView* pView,
                                                CQZ2TabView* pTabView, const CArray<FeatureLayout>& shapes,
                                                const RuVaPnt2d& basePoint, BOOL bEditableOnly, CArray<long>* pCopied)
{
    if (pCopied != nullptr)
        pCopied->RemoveAll();
    if (pSource == nullptr || pView == nullptr || shapes.IsEmpty())
        return nullptr;
    DrawingFeatureBase* pActive = pView->GetActiveDrawingFeature();
    if (pActive == nullptr)
        return nullptr;

    // What is taken: each record once, a shape a Cut may not change left out.
    std::unordered_set<long> picked;
    std::set<long> parentDrawings;  // set A
    std::set<long> layoutsUsed;     // set B
    std::map<long, long> layoutOfPart;
    for (INT_PTR i = 0; i < shapes.GetSize(); ++i) {
        const long record = shapes[i].GetRecordID();
        const DrawingFeatureBase* pParent = pSource->GetParentDrawingFeature(record);
        if (pSource->GetFeature(record) == nullptr || pParent == nullptr)
            continue;
        if (bEditableOnly && !pSource->IsFeatureEditable(record))
            continue;
        // One part drawing seen through two layouts has no single place in the clip.
        const long layout = shapes[i].GetLayoutID();
        const PartDrawingLayout* pLayout = pSource->GetPartLayoutByID(layout);
        const long shown = pLayout != nullptr ? pLayout->GetDrawingID() : pParent->GetDrawingID();
        const auto [it, added] = layoutOfPart.emplace(shown, layout);
        if (!added && it->second != layout) {
            if (pManager != nullptr)
                pManager->ShowMessageBox(LoadResourceString(kLayoutConflict), 0x30);
            return nullptr;
        }
        picked.insert(record);
        parentDrawings.insert(pParent->GetDrawingID());
        layoutsUsed.insert(layout);
    }
    if (picked.empty())
        return nullptr;

    auto clip = std::make_unique<ClipDocument>();
    Draw2dDocument* pClip = clip->GetModel();
    pClip->CopyDocumentSettings(pSource);
    Paper2dFeature* pClipPaper = pClip->GetPaperFeature(0);
    if (pClipPaper == nullptr)
        return nullptr;

    // The paper shown keeps its name and size.
    if (pActive->IsPaperFeature()) {
        double w = 0.0, h = 0.0;
        if (!pSource->GetPaperSize(pActive->GetDrawingName(), w, h))
            w = h = 0.0;
        pClip->SetPaperSize(pClipPaper->GetDrawingName(), w, h, 1);
        pClip->SetDrawingName(pClipPaper->GetDrawingName(), pActive->GetDrawingName(), 0);
    }

    // Part drawings: the one of a component being edited, else every parent of a picked shape.
    auto addPart = [&](const DrawingFeatureBase* pFrom, const CString& name) {
        const long id = pClip->AddPartDrawingFeature(name);
        if (id == -1)
            return;
        pClip->SetDrawingState(id, pFrom->GetDrawingState(), 1);
        pClip->SetDrawingPrintable(id, pFrom->IsPrintable(), 1);
        if (pFrom->GetGridSetting() != nullptr)
            pClip->SetDrawingGridSetting(id, *pFrom->GetGridSetting(), 1);
    };
    const BOOL bComponent = pActive->IsDrawComponentDefine();
    if (bComponent) {
        addPart(pActive, ClipDocument::kComponentDrawingName);
    } else {
        for (int i = 0; i < pSource->GetDrawingFeatureCount(); ++i) {
            const DrawingFeatureBase* pDrawing = pSource->GetDrawingFeatureByIndex(i);
            if (pDrawing != nullptr && pDrawing->IsPartFeature() && parentDrawings.count(pDrawing->GetDrawingID()))
                addPart(pDrawing, pDrawing->GetDrawingName());
        }
    }

    // On a paper: the layouts through which shapes were picked, in the paper's order.
    if (pActive->IsPaperFeature()) {
        for (int i = 0; i < pActive->GetPartLayoutCount(); ++i) {
            const PartDrawingLayout* pLayout = pActive->GetPartLayout(i);
            if (pLayout == nullptr || pLayout->GetLayoutID() == pActive->GetSelfPartLayoutID() ||
                !layoutsUsed.count(pLayout->GetLayoutID()))
                continue;
            const DrawingFeatureBase* pShown = pSource->ChangeDrawingFeature(pLayout->GetDrawingID());
            const DrawingFeatureBase* pTarget =
                pShown != nullptr ? pClip->GetDrawingFeatureByName(pShown->GetDrawingName()) : nullptr;
            if (pTarget == nullptr)
                continue;
            PartDrawingLayout copy(*pLayout);
            copy.SetPaperID(pClipPaper->GetDrawingID());
            copy.SetDrawingID(pTarget->GetDrawingID());
            copy.SetLayoutID(-1);
            pClip->AddPartLayout(copy, -1, 1);
        }
        pClip->SetPartLayoutOrder(pClipPaper->GetSelfPartLayoutID(),
                                  pActive->GetPartLayoutOrder(pActive->GetSelfPartLayoutID()), 1);
    }

    // The shapes, in their drawings' record order (not the order of picking).
    CArray<long> copied;
    auto copyShape = [&](long record, DrawingFeatureBase* pTarget) {
        const Feature2dBase* pShape = pSource->GetFeature(record);
        if (pShape != nullptr && pTarget != nullptr && pClip->AddFeature(pShape, pTarget, pSource, 1) != -1)
            copied.Add(record);
    };
    auto clipDrawingOf = [&](const DrawingFeatureBase* pParent) -> DrawingFeatureBase* {
        if (pParent == nullptr)
            return nullptr;
        if (pParent->IsDrawComponentDefine())
            return pClip->GetDrawingFeatureByName(ClipDocument::kComponentDrawingName);
        if (pParent->IsPaperFeature() && pParent == pActive)
            return pClipPaper;
        return pParent->IsPartFeature() ? pClip->GetDrawingFeatureByName(pParent->GetDrawingName()) : nullptr;
    };
    if (picked.size() == 1) {
        const long record = *picked.begin();
        copyShape(record, clipDrawingOf(pSource->GetParentDrawingFeature(record)));
    } else {
        for (int i = 0; i < pClip->GetDrawingFeatureCount(); ++i) {
            DrawingFeatureBase* pTarget = pClip->GetDrawingFeatureByIndex(i);
            if (pTarget == nullptr)
                continue;
            // While a component is edited its shapes go to the component drawing only.
            if (bComponent && pTarget->IsPaperFeature())
                continue;
            const DrawingFeatureBase* pFrom = bComponent ? pActive
                                              : pTarget == pClipPaper
                                                  ? (pActive->IsPaperFeature() ? pActive : nullptr)
                                                  : pSource->GetDrawingFeatureByName(pTarget->GetDrawingName());
            if (pFrom == nullptr)
                continue;
            for (long id = pSource->GetNextFeatureRecordID(pFrom, -1, 0); id != -1;
                 id = pSource->GetNextFeatureRecordID(pFrom, id, 0))
                if (picked.count(id))
                    copyShape(id, pTarget);
        }
    }
    if (copied.IsEmpty())
        return nullptr;

    // Current layer: the source's when the clip has a layer of the same path, else the clip's first.
    if (const LayerFeatureTable* pLayers = pClip->GetLayerTable(); pLayers != nullptr && pLayers->GetLayerCount() > 0) {
        long current = pLayers->GetLayerID(0);
        const LayerFeatureTable* pSourceLayers = pSource->GetLayerTable();
        if (pSourceLayers != nullptr && pSourceLayers->IsExistLayerID(pSource->GetCurrentLayerID())) {
            const CString path = pSourceLayers->GetLayerPath(pSource->GetCurrentLayerID(), _T('\\'));
            for (int i = 0; i < pLayers->GetLayerCount(); ++i)
                if (pLayers->GetLayerPath(pLayers->GetLayerID(i), _T('\\')) == path)
                    current = pLayers->GetLayerID(i);
        }
        pClip->SetCurrentLayerID(current, 1);
    }

    // The tabs: the active one and those that show a drawing of the clip.
    DrawViewInfo sourceTabs;
    const BOOL bTabs =
        Services().pfnGetTabViewInfo != nullptr && pTabView != nullptr && Services().pfnGetTabViewInfo(pTabView, sourceTabs);
    if (!bTabs) {
        sourceTabs.DeleteAllViewInfo();
        sourceTabs.SetActiveIndex(sourceTabs.AddViewInfo(ViewTypeOf(pActive), pActive->GetDrawingID()));
    }
    DrawViewInfo& tabs = clip->GetViewInfo();
    tabs.DeleteAllViewInfo();
    BOOL bPaperTab = FALSE;
    for (int i = 0; i < sourceTabs.GetViewInfoCount(); ++i) {
        const int type = sourceTabs.GetViewType(i);
        if (type != kViewPaper && type != kViewPart && type != kViewComponent)
            continue;
        const BOOL bActiveTab = i == sourceTabs.GetActiveIndex();
        const DrawingFeatureBase* pShown = pSource->ChangeDrawingFeature(sourceTabs.GetViewID(i));
        if (!bActiveTab && (pShown == nullptr || !parentDrawings.count(pShown->GetDrawingID())))
            continue;
        const DrawingFeatureBase* pTarget =
            type == kViewComponent ? pClip->GetDrawingFeatureByName(ClipDocument::kComponentDrawingName)
            : pShown == pActive && pShown != nullptr && pShown->IsPaperFeature()
                ? pClipPaper
                : (pShown != nullptr ? pClip->GetDrawingFeatureByName(pShown->GetDrawingName()) : nullptr);
        if (pTarget == nullptr)
            continue;
        const int index = tabs.AddViewInfo(type, pTarget->GetDrawingID());
        if (bActiveTab)
            tabs.SetActiveIndex(index);
        bPaperTab |= type == kViewPaper ? TRUE : FALSE;
    }
    if (!bPaperTab) {
        const int index = tabs.AddViewInfo(kViewPaper, pClipPaper->GetDrawingID());
        if (tabs.GetActiveIndex() < 0)
            tabs.SetActiveIndex(index);
    }
    clip->SetBasePoint(basePoint);
    pClip->ClearUndoRedoHistory();
    if (pCopied != nullptr)
        pCopied->Copy(copied);
    return clip.release();
}

BOOL ClipboardCopy2dCommand::PutNativeDataOnClipboard(const ClipDocument& clip)
{
    const UINT format = ClipDocument::GetNativeFormatA();
    CByteArray bytes;
    if (format == 0 || !clip.WriteNativeData(bytes))
        return FALSE;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes.GetSize()));
    if (h == nullptr)
        return FALSE;
    std::memcpy(GlobalLock(h), bytes.GetData(), static_cast<size_t>(bytes.GetSize()));
    GlobalUnlock(h);
    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(static_cast<CLIPFORMAT>(format), h);
    try {
        pSource->SetClipboard();
    } catch (CException* e) {
        e->Delete();
        delete pSource;
        return FALSE;
    }
    return TRUE;
}

BOOL ClipboardCopy2dCommand::CopyFeaturesToClipboard(CommandManager* pManager, const CArray<FeatureLayout>& shapes,
                                                     const RuVaPnt2d& basePoint, BOOL bCut)
{
    Draw2dDocument* pSource = pManager != nullptr ? pManager->GetDraw2dDocument() : nullptr;
    if (pSource == nullptr || pManager->GetView() == nullptr)
        return FALSE;
    CArray<long> copied;
    ClipDocument* pClip = BuildClip(pManager, pSource, pManager->GetView(), pManager->GetActiveTabView(), shapes,
                                    basePoint, bCut, &copied);
    if (pClip == nullptr)
        return FALSE;
    BOOL bPut = FALSE;
    if (Services().pfnPutOnClipboard != nullptr) {
        bPut = Services().pfnPutOnClipboard(pManager->GetDocument(), pClip);
    } else {
        bPut = PutNativeDataOnClipboard(*pClip);
        delete pClip;
    }
    if (!bPut)
        return FALSE;
    // Only what reached the clip is cut.
    if (bCut) {
        pSource->BeginUndoOperation(nullptr);
        for (INT_PTR i = 0; i < copied.GetSize(); ++i)
            pSource->DeleteFeature(copied[i], 0);
        pSource->EndUndoOperation();
        pSource->UpdateAllFeatures(TRUE);
    }
    return TRUE;
}

}  // namespace QZ2Command
