#pragma once
// One row of the property list: a caption in the name cell and a value in the value cell, edited in
// place through a child window over the value cell. The value is the row's own clone of a parameter
// item; the row knows, per item type, how to show it, which editor to make, how to load the editor
// and how to read it back. A row never applies a value: the list hands the change to its owner.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/gdi/GdiTypes.h"

class CDC;
class CWnd;
class CPropertyListCtrl;

namespace QZ2Command {
class ParameterItemBase;
}

class PropertyListItem : public CObject
{
    DECLARE_DYNCREATE(PropertyListItem)
public:
    // Control ids by which the list knows its editors.
    enum { kComboId = 1050, kEditId = 1051, kButtonId = 1052 };
    // Editor kinds, as the row made them.
    enum EditorKind { editorNone = 0, editorEdit, editorHistoryCombo, editorListCombo, editorColor, editorLineType,
                      editorLineWidth, editorComponent, editorButton, editorOther };

    // Dialogs and combos of other libraries, filled by them when they load. While a hook is unset the
    // row shows its value without that editor and its "..." button does nothing.
    struct Services {
        // Runs the dialog of a "..." row (text, tolerance, setting, image setting) over pList; TRUE
        // when the clone's item now holds the new value.
        BOOL (*pEditByDialog)(PropertyListItem& clone, CWnd* pList) = nullptr;
        // Creates the combo of a layer (18) or drawing (19) row as a child of pList with the id.
        CWnd* (*pCreateComboEditor)(PropertyListItem& row, CWnd* pList, UINT nID) = nullptr;
    };
    static Services& GetServices();

    PropertyListItem();
    PropertyListItem(const PropertyListItem& other);
    PropertyListItem& operator=(const PropertyListItem&) = delete;
    ~PropertyListItem() override;

    virtual CString GetCaption() const;
    virtual CString GetValueText() const;
    virtual CString GetShortcutText() const;
    virtual BOOL IsEditable() const;
    virtual void DrawCaption(CDC* pDC, const CRect& rect);
    virtual void DrawValue(CDC* pDC, const CRect& rect);
    virtual CRect CalcCaptionRect(CDC* pDC, const CRect& rect, BOOL bWithShortcut);
    virtual CRect CalcValueRect(CDC* pDC, const CRect& rect);
    virtual BOOL BeginEdit(const CRect& rcValue);
    virtual CWnd* CreateEditor();
    virtual void DestroyEditor();
    virtual void UpdateEditor();
    virtual void MoveEditor(const CRect& rcValue);
    // pPoint: the click in list client coordinates, or NULL.
    virtual BOOL ActivateEditor(const CPoint* pPoint);
    virtual void SelectEditorText();
    virtual BOOL ReadEditor();
    virtual PropertyListItem* OnEditorButton();
    virtual QZ2Command::ParameterItemBase* GetValueItem() const { return m_pValueItem; }
    virtual void CopyFrom(const PropertyListItem& other);

    PropertyListItem* Clone() const;
    BOOL SetIndentLevel(int nLevel);
    int GetIndentLevel() const { return m_nIndentLevel; }
    void SetValueItem(const QZ2Command::ParameterItemBase* pItem);
    BOOL IsValueGiven() const;
    BOOL GetEditorText(CString& text) const;
    BOOL FillHistory();
    BOOL IsEditorEmpty() const;
    BOOL IsEditorModified() const;
    // Marks a history combo's text as typed (a choice from its list counts as typed text).
    void SetEditorModified(BOOL bModified);
    // The history type of the row's item (Multi rows use lengths or angles), or 0 for none.
    int GetHistoryType() const;
    // A typed row (its text goes to the owner as text).
    BOOL IsTypedType() const;
    // A text or tolerance row edited through its dialog.
    BOOL IsEditedInDialog() const;
    EditorKind GetEditorKind() const { return m_nEditorKind; }
    CWnd* GetEditor() const { return m_pEditor; }

    BOOL m_bHasPrevious = FALSE;
    BOOL m_bHasNext = FALSE;
    BOOL m_bHeader = FALSE;
    CString m_strCaption;
    BOOL m_bSelected = FALSE;
    CPropertyListCtrl* m_pList = nullptr;

protected:
    int TypeCode() const;
    void LoadTypedText();

    QZ2Command::ParameterItemBase* m_pValueItem = nullptr;
    int m_nIndentLevel = 0;
    CWnd* m_pEditor = nullptr;
    EditorKind m_nEditorKind = editorNone;
    // The text the editor was loaded with, against which a combo's typing counts as a change.
    CString m_strLoadedText;
    BOOL m_bForcedModified = FALSE;
};
