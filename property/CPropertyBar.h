#pragma once
// The property bar: the properties of the selected shapes, of one layer or group, or of one drawing or
// part layout, as name/value rows. It holds property objects of one kind, merges their rows (object 0
// decides which rows and their order; a row stays only when every object offers it; a value that
// differs shows empty), applies an edited row to every object in one undo step and follows the
// document's changes, refreshing at idle time.

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/afx/CArray.h"
#include "platform/afx/CString.h"
#include "platform/bcg/CBCGPDockingControlBar.h"
#include "property/CFeaturePropertyListCtrl.h"
#include "property/CPropertyToolBar.h"

class CMainFrame;
class Draw2dDocument;
class NotifyInfoBase;
class PropertyListItem;
namespace QZ2Command {
class CommandManager;
class FeaturePropertyBase;
class ParameterItemBase;
}

class CPropertyBar : public CBCGPDockingControlBar
{
    DECLARE_DYNCREATE(CPropertyBar)
public:
    enum { IDC_LIST = 1010, IDC_TOOLBAR = 1012 };
    // The pick-mode commands the bar's toolbar sends.
    static constexpr UINT kFirstEditCommand = 37152;
    static constexpr UINT kLastEditCommand = 37202;
    // Said in the status bar when an edit was not taken.
    static constexpr UINT kValueRefused = 10933;

    CPropertyBar();
    ~CPropertyBar() override;

    void SetMainFrame(CMainFrame* pFrame) { m_pMainFrame = pFrame; }
    CMainFrame* GetMainFrame() const { return m_pMainFrame; }
    // Also gives the list the manager's parameter history.
    void SetCommandManager(QZ2Command::CommandManager* pManager);
    QZ2Command::CommandManager* GetCommandManager() const { return m_pCommandManager; }
    // The bar that was given the manager, NULL when none.
    static CPropertyBar* FromManager(const QZ2Command::CommandManager* pManager);
    Draw2dDocument* GetDocument() const { return m_pDocument; }

    // Shows the objects, all of one kind: clones with bClone (the caller keeps its objects), else the bar
    // owns them from then on. With bAdd they join the objects shown when the kind agrees. FALSE, and
    // nothing changes, for an empty array or mixed kinds (the caller still owns its objects).
    BOOL SetFeatureProperties(const CArray<QZ2Command::FeaturePropertyBase*>& objects, BOOL bAdd, BOOL bClone);
    // Shows a clone of the object; NULL empties the bar. Without bAdd, the one object already shown for
    // the same target stays as it is (FALSE).
    BOOL SetFeatureProperty(const QZ2Command::FeaturePropertyBase* pObject, BOOL bAdd);
    // Empties the bar when it shows objects of that kind (1 shapes, 2 layers, 3 drawings); TRUE when it did.
    virtual BOOL ClearFeatureProperties(UINT nKind);
    // Drops the shape objects of those records (unselected or deleted shapes); TRUE when any went.
    BOOL RemoveFeatureProperties(const CArray<long>& recordIDs);
    void DeleteFeatureProperties();

    // A change record of the document: 1 when the bar let go of everything for a new document, else 0.
    virtual int OnDocumentNotify(NotifyInfoBase* pInfo);
    void RefreshValues();
    void RebuildItemList();
    // Applies the item to every object that has its property, in one undo step, then re-reads the rows.
    // TRUE when at least one object took it.
    BOOL ApplyPropertyItem(QZ2Command::ParameterItemBase* pItem);

    PropertyListItem* GetCurrentRow() const;
    // -1 without a selected row.
    short GetSelectedPropertyId() const;
    int FindRowByPropertyId(int nId) const;
    int GetRowCount() const { return m_wndList.GetItemCount(); }
    PropertyListItem* GetRow(int nIndex) const;

    int GetFeaturePropertyCount() const { return static_cast<int>(m_objects.size()); }
    // NULL out of range.
    QZ2Command::FeaturePropertyBase* GetFeatureProperty(int nIndex) const;
    // The kind the bar shows, 0 while empty.
    UINT GetShownKind() const { return m_nShownKind; }
    void SetShownKind(UINT nKind) { m_nShownKind = nKind; }
    int GetLastPropertyId() const { return m_nLastPropertyId; }
    CFeaturePropertyListCtrl& GetList() { return m_wndList; }
    CPropertyToolBar& GetToolBar() { return m_wndToolBar; }

    // Records received so far and the kind of the last one (-1 before any).
    int GetNotifyCount() const { return m_nNotifyCount; }
    int GetLastNotifyKind() const { return m_nLastNotifyKind; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The edited row's value applied to every object; 1 when all took it.
    LRESULT ApplyRowValue(QZ2Command::ParameterItemBase* pItem, BOOL bToHistory);
    void EmptyBar();
    void RebuildRecordIndex();
    // Shape objects whose shape went away leave; TRUE when any did.
    BOOL PruneDeadShapes();
    void ShowRefusal();
    void ShowSelectionOf(Draw2dDocument* pDocument);
    void RecalcLayout();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListSelChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnItemValueChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemTextEntered(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListEscape(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEditCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

    CMainFrame* m_pMainFrame = nullptr;
    QZ2Command::CommandManager* m_pCommandManager = nullptr;
    Draw2dDocument* m_pDocument = nullptr;
    CFeaturePropertyListCtrl m_wndList;
    CPropertyToolBar m_wndToolBar;
    UINT m_nShownKind = 0;
    int m_nLastPropertyId = -1;
    std::vector<QZ2Command::FeaturePropertyBase*> m_objects;
    // Record id to the index of its shape object: a shape change asks only that object.
    std::unordered_map<long, size_t> m_recordIndex;
    int m_nNotifyCount = 0;
    int m_nLastNotifyKind = -1;
};
