#pragma once
// The base of the attribute toolbar's colour, line-type and line-width fields: a toolbar combo button whose
// combo shows and sets one current attribute of the bound document. The main frame binds it to the active
// document and hands it the document notifications that concern it; each field says which combo it makes,
// how the combo is bound and refreshed, and which notifications concern it.

#include "controls/CQZ2ToolbarComboBoxButton.h"

class Draw2dDocument;
class NotifyInfoBase;

class CCurrentAttributeToolbarComboBoxButton : public CQZ2ToolbarComboBoxButton
{
    DECLARE_DYNAMIC(CCurrentAttributeToolbarComboBoxButton)
public:
    CCurrentAttributeToolbarComboBoxButton(UINT nCommandId, int nWidth);
    ~CCurrentAttributeToolbarComboBoxButton() override;

    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
    // The library's handling, then bound to the active document.
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // FALSE without a combo; otherwise binds it and repaints.
    BOOL SetDocument(Draw2dDocument* pDocument);
    // A document change binds the combo again, any other record that concerns the field refreshes it.
    void OnDocumentNotify(const NotifyInfoBase* pInfo);
    // FALSE without a combo window; otherwise the library's handling.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;

protected:
    // A new combo of the field's kind, not yet made a window.
    virtual CComboBox* NewCombo() const = 0;
    // The combo's window text, which names it to accessibility tools.
    virtual LPCTSTR GetComboName() const = 0;
    virtual void BindCombo(Draw2dDocument* pDocument) = 0;
    // Brings the combo up to date after pInfo (not a document change).
    virtual void RefreshCombo(const NotifyInfoBase* pInfo) = 0;
    virtual BOOL ConcernsField(const NotifyInfoBase* pInfo) const = 0;
    BOOL HasComboWindow() const;
    void Repaint();
};
