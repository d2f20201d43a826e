#pragma once
// The line width field of the attribute toolbar (command 34648): its combo shows and sets the bound document's
// current line width.

#include "controls/CCurrentAttributeToolbarComboBoxButton.h"

class CSelectCurrentLineWidthComboBox;

class CLineWidthToolbarComboBoxButton : public CCurrentAttributeToolbarComboBoxButton
{
    DECLARE_SERIAL(CLineWidthToolbarComboBoxButton)
public:
    static constexpr UINT kCommandId = 34648;
    static constexpr int kDefaultWidth = 130;

    CLineWidthToolbarComboBoxButton();
    ~CLineWidthToolbarComboBoxButton() override;

    // Whether the record concerns this button.
    static BOOL IsUpdateNeeded(const NotifyInfoBase* pInfo);
    static CRuntimeClass* GetButtonClass() { return RUNTIME_CLASS(CLineWidthToolbarComboBoxButton); }
    CSelectCurrentLineWidthComboBox* GetCurrentCombo() const;

protected:
    CComboBox* NewCombo() const override;
    LPCTSTR GetComboName() const override { return u"LineWidth"; }
    void BindCombo(Draw2dDocument* pDocument) override;
    void RefreshCombo(const NotifyInfoBase* pInfo) override;
    BOOL ConcernsField(const NotifyInfoBase* pInfo) const override { return IsUpdateNeeded(pInfo); }
};
