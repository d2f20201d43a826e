// The main frame's side of the structure bars: what the drawing bar, the component palette and the
// overview ask of it.
#include "app/CMainFrame.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "platform/win/CCmdUI.h"
#include "property/DrawingFeatureProperty.h"
#include "property/LayerFeatureProperty.h"
#include "structure/CSkyViewBar.h"

BOOL CMainFrame::ShowDrawingProperties(Draw2dDocument* pModel, long nDrawingID, long nLayoutID, BOOL bShow)
{
    const DrawingFeatureBase* pDrawing = pModel != nullptr ? pModel->ChangeDrawingFeature(nDrawingID) : nullptr;
    if (pDrawing == nullptr || m_pPropertyBar == nullptr)
        return FALSE;
    const PartDrawingLayout* pLayout = nLayoutID >= 0 ? pModel->GetPartLayoutByID(nLayoutID) : nullptr;
    // The bar shows a clone of it.
    QZ2Command::DrawingFeatureProperty object(pModel, pDrawing, pLayout);
    ShowFeatureProperties(&object, FALSE, bShow);
    return TRUE;
}

BOOL CMainFrame::ShowLayerProperties(Draw2dDocument* pModel, long nLayerID, BOOL bShow)
{
    if (pModel == nullptr || m_pPropertyBar == nullptr)
        return FALSE;
    if (nLayerID != -1 && pModel->GetLayerTable()->GetLayerFeature(nLayerID) == nullptr)
        return FALSE;
    // The bar shows a clone of it.
    QZ2Command::LayerFeatureProperty object(pModel, nLayerID);
    ShowFeatureProperties(&object, FALSE, bShow);
    return TRUE;
}

void CMainFrame::OnSavedView(UINT nID)
{
    if (m_pSkyViewBar == nullptr)
        return;
    if (nID >= CSkyViewBar::ID_NEXT)
        m_pSkyViewBar->OnNextViewControlSetting(nID);
    else if (nID <= CSkyViewBar::ID_SLOT_LAST)
        m_pSkyViewBar->OnViewControlSetting(nID);
}

void CMainFrame::OnUpdateSavedView(CCmdUI* pCmdUI)
{
    if (m_pSkyViewBar == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pCmdUI->m_nID >= CSkyViewBar::ID_NEXT)
        m_pSkyViewBar->OnUpdateNextViewControlSetting(pCmdUI);
    else if (pCmdUI->m_nID <= CSkyViewBar::ID_SLOT_LAST)
        m_pSkyViewBar->OnUpdateViewControlSetting(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}
