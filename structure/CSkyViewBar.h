#pragma once
// The overview bar: the whole drawing in small, with the visible part marked. A docking bar of the main frame; it follows the document through the frame's
// broadcast of change records.

#include "platform/bcg/CBCGPDockingControlBar.h"

class CMainFrame;
class NotifyInfoBase;

class CSkyViewBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CSkyViewBar)
public:
    CSkyViewBar();
    ~CSkyViewBar() override;

    void SetMainFrame(CMainFrame* pFrame) { m_pMainFrame = pFrame; }
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }

    // Draws the overview again; UpdateView follows a change of the visible part.
    virtual void InvalidateView();
    virtual void UpdateView(int nCode, int* pData);
    int GetRedrawCount() const { return m_nRedrawCount; }

    // A change record of the document; the bar takes from it what concerns it.
    virtual void OnDocumentNotify(NotifyInfoBase* pInfo);
    // Records received so far and the kind of the last one (-1 before any).
    int GetNotifyCount() const { return m_nNotifyCount; }
    int GetLastNotifyKind() const { return m_nLastNotifyKind; }

protected:
    CMainFrame* m_pMainFrame = nullptr;
    int m_nRedrawCount = 0;
    int m_nNotifyCount = 0;
    int m_nLastNotifyKind = -1;
};
