#pragma once
// The colour field of the attribute toolbar (command 34646): a toolbar combo button whose combo shows and
// sets the bound document's current colour. The main frame binds it to the active document and hands it
// the document notifications that concern it.

#include "controls/CQZ2ToolbarComboBoxButton.h"

class CSelectCurrentColorComboBox;
class Draw2dDocument;
class NotifyInfoBase;

class CColorToolbarComboBoxButton : public CQZ2ToolbarComboBoxButton
{
    DECLARE_SERIAL(CColorToolbarComboBoxButton)
public:
    static constexpr UINT kCommandId = 34646;
    static constexpr int kDefaultWidth = 155;

    CColorToolbarComboBoxButton();
    ~CColorToolbarComboBoxButton() override;

    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
    // The library's handling, then bound to the active document.
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // FALSE without a combo; otherwise binds it and repaints.
    BOOL SetDocument(Draw2dDocument* pDocument);
    // Whether the record concerns this button.
    static BOOL IsUpdateNeeded(const NotifyInfoBase* pInfo);
    static CRuntimeClass* GetButtonClass() { return RUNTIME_CLASS(CColorToolbarComboBoxButton); }
    void OnDocumentNotify(const NotifyInfoBase* pInfo);
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    CSelectCurrentColorComboBox* GetCurrentCombo() const;

private:
    void Repaint();
};
