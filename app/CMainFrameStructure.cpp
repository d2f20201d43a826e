// The main frame's side of the structure bars: what the drawing bar, the component palette and the
// overview ask of it.
#include "app/CMainFrame.h"

#include "platform/win/CCmdUI.h"
#include "structure/CSkyViewBar.h"

BOOL CMainFrame::ShowDrawingProperties(Draw2dDocument* pModel, long nDrawingID, long nLayoutID, BOOL bShow)
{
    // The drawing's property object comes with the property bar's drawing rows; until then nothing shows.
    (void)pModel;
    (void)nDrawingID;
    (void)nLayoutID;
    (void)bShow;
    return FALSE;
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
