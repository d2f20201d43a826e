#pragma once
// The property bar: the properties of the selected objects or of the running command. A docking bar of the main frame; it follows the document through the frame's
// broadcast of change records.

#include "platform/bcg/CBCGPDockingControlBar.h"

class CMainFrame;
class NotifyInfoBase;
namespace QZ2Command {
class CommandManager;
}
class CPropertyBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CPropertyBar)
public:
    CPropertyBar();
    ~CPropertyBar() override;

    void SetMainFrame(CMainFrame* pFrame) { m_pMainFrame = pFrame; }
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }
    void SetCommandManager(QZ2Command::CommandManager* pManager) { m_pCommandManager = pManager; }
    QZ2Command::CommandManager* GetCommandManager() const { return m_pCommandManager; }

    // Empties the bar when it shows objects of that kind (1 shapes, 2 layers, 3 drawings) that
    // have gone away.
    virtual void ClearFeatureProperties(UINT nKind);
    // The kind the bar shows, 0 while empty.
    UINT GetShownKind() const { return m_nShownKind; }
    void SetShownKind(UINT nKind) { m_nShownKind = nKind; }

    // A change record of the document; the bar takes from it what concerns it.
    virtual void OnDocumentNotify(NotifyInfoBase* pInfo);
    // Records received so far and the kind of the last one (-1 before any).
    int GetNotifyCount() const { return m_nNotifyCount; }
    int GetLastNotifyKind() const { return m_nLastNotifyKind; }

protected:
    CMainFrame* m_pMainFrame = nullptr;
    QZ2Command::CommandManager* m_pCommandManager = nullptr;
    UINT m_nShownKind = 0;
    int m_nNotifyCount = 0;
    int m_nLastNotifyKind = -1;
};
