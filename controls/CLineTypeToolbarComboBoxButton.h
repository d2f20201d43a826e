#pragma once
// The line type field of the attribute toolbar (command 34647): a toolbar combo button whose combo shows and
// sets the bound document's current line type. The main frame binds it to the active document and hands it
// the document notifications that concern it.

#include "controls/CQZ2ToolbarComboBoxButton.h"

class CSelectCurrentLineTypeComboBox;
class Draw2dDocument;
class NotifyInfoBase;

class CLineTypeToolbarComboBoxButton : public CQZ2ToolbarComboBoxButton
{
    DECLARE_SERIAL(CLineTypeToolbarComboBoxButton)
public:
    static constexpr UINT kCommandId = 34647;
    static constexpr int kDefaultWidth = 135;

    CLineTypeToolbarComboBoxButton();
    ~CLineTypeToolbarComboBoxButton() override;

    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
    // The library's handling, then bound to the active document.
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // FALSE without a combo; otherwise binds it and repaints.
    BOOL SetDocument(Draw2dDocument* pDocument);
    // Whether the record concerns this button.
    static BOOL IsUpdateNeeded(const NotifyInfoBase* pInfo);
    static CRuntimeClass* GetButtonClass() { return RUNTIME_CLASS(CLineTypeToolbarComboBoxButton); }
    void OnDocumentNotify(const NotifyInfoBase* pInfo);
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    CSelectCurrentLineTypeComboBox* GetCurrentCombo() const;

private:
    void Repaint();
};
