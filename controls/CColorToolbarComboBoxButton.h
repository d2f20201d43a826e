#pragma once
// The colour field of the attribute toolbar (command 34646): its combo shows and sets the bound document's
// current colour.

#include "controls/CCurrentAttributeToolbarComboBoxButton.h"

class CSelectCurrentColorComboBox;

class CColorToolbarComboBoxButton : public CCurrentAttributeToolbarComboBoxButton
{
    DECLARE_SERIAL(CColorToolbarComboBoxButton)
public:
    static constexpr UINT kCommandId = 34646;
    static constexpr int kDefaultWidth = 155;

    CColorToolbarComboBoxButton();
    ~CColorToolbarComboBoxButton() override;

    // Whether the record concerns this button.
    static BOOL IsUpdateNeeded(const NotifyInfoBase* pInfo);
    static CRuntimeClass* GetButtonClass() { return RUNTIME_CLASS(CColorToolbarComboBoxButton); }
    // Drops the combo's list down at once in a flat toolbar.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    CSelectCurrentColorComboBox* GetCurrentCombo() const;

protected:
    CComboBox* NewCombo() const override;
    LPCTSTR GetComboName() const override { return u"Color"; }
    void BindCombo(Draw2dDocument* pDocument) override;
    void RefreshCombo(const NotifyInfoBase* pInfo) override;
    BOOL ConcernsField(const NotifyInfoBase* pInfo) const override { return IsUpdateNeeded(pInfo); }
};
