#pragma once
// The property bar: the properties of the selected objects or of the running command. A docking bar of the main frame; it follows the document through the frame's
// broadcast of change records.

#include "platform/afx/CArray.h"
#include "platform/afx/CString.h"
#include "platform/bcg/CBCGPDockingControlBar.h"

#include <memory>
#include <vector>

class CMainFrame;
class Draw2dDocument;
class NotifyInfoBase;
namespace QZ2Command {
class CommandManager;
class FeaturePropertyBase;
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
    // have gone away; TRUE when it did.
    virtual BOOL ClearFeatureProperties(UINT nKind);
    // Shows the objects, all of one kind: its own clones with bClone (the caller keeps and deletes what it
    // passed), else it takes them over. The objects shown stay only with bAdd when their kind agrees.
    // FALSE for an empty array or mixed kinds.
    BOOL SetFeatureProperties(const CArray<QZ2Command::FeaturePropertyBase*>& objects, BOOL bAdd, BOOL bClone);
    // Shows a clone of the object. NULL empties the bar. Without bAdd, the one object already shown for the
    // same target stays as it is (FALSE).
    BOOL SetFeatureProperty(const QZ2Command::FeaturePropertyBase* pObject, BOOL bAdd);
    int GetFeaturePropertyCount() const { return static_cast<int>(m_objects.size()); }
    // NULL out of range.
    const QZ2Command::FeaturePropertyBase* GetFeatureProperty(int nIndex) const;
    // The lines the bar lists, one per object shown.
    CString GetShownText() const;
    // The kind the bar shows, 0 while empty.
    UINT GetShownKind() const { return m_nShownKind; }
    void SetShownKind(UINT nKind) { m_nShownKind = nKind; }

    // A change record of the document; the bar takes from it what concerns it.
    virtual void OnDocumentNotify(NotifyInfoBase* pInfo);
    // Records received so far and the kind of the last one (-1 before any).
    int GetNotifyCount() const { return m_nNotifyCount; }
    int GetLastNotifyKind() const { return m_nLastNotifyKind; }

protected:
    void RemoveAllProperties();
    // While no command runs, the bar follows the document's selection: one shape object per selected record.
    void ShowSelectionOf(Draw2dDocument* pDocument);
    void RefreshList();

    CMainFrame* m_pMainFrame = nullptr;
    QZ2Command::CommandManager* m_pCommandManager = nullptr;
    UINT m_nShownKind = 0;
    int m_nNotifyCount = 0;
    int m_nLastNotifyKind = -1;
    std::vector<std::unique_ptr<QZ2Command::FeaturePropertyBase>> m_objects;
};
