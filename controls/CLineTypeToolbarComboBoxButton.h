#pragma once
// The line type field of the attribute toolbar (command 34647): its combo shows and sets the bound document's
// current line type.

#include "controls/CCurrentAttributeToolbarComboBoxButton.h"

class CSelectCurrentLineTypeComboBox;

class CLineTypeToolbarComboBoxButton : public CCurrentAttributeToolbarComboBoxButton
{
    DECLARE_SERIAL(CLineTypeToolbarComboBoxButton)
public:
    static constexpr UINT kCommandId = 34647;
    static constexpr int kDefaultWidth = 135;

    CLineTypeToolbarComboBoxButton();
    ~CLineTypeToolbarComboBoxButton() override;

    // Whether the record concerns this button.
    static BOOL IsUpdateNeeded(const NotifyInfoBase* pInfo);
    static CRuntimeClass* GetButtonClass() { return RUNTIME_CLASS(CLineTypeToolbarComboBoxButton); }
    CSelectCurrentLineTypeComboBox* GetCurrentCombo() const;

protected:
    CComboBox* NewCombo() const override;
    LPCTSTR GetComboName() const override { return u"LineType"; }
    void BindCombo(Draw2dDocument* pDocument) override;
    void RefreshCombo(const NotifyInfoBase* pInfo) override;
    BOOL ConcernsField(const NotifyInfoBase* pInfo) const override { return IsUpdateNeeded(pInfo); }
};
