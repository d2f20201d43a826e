#pragma once
// The editable combo of the toolbar's snap-angle field: Enter typed in it goes to its button as the
// toolbar's confirmation (notification code 0) and stops there.

#include "platform/win/CComboBox.h"

class CAngularSnapToolbarComboBoxButton;

class CSnapAngleEditCombo : public CComboBox
{
    DECLARE_DYNAMIC(CSnapAngleEditCombo)
public:
    explicit CSnapAngleEditCombo(CAngularSnapToolbarComboBoxButton* pButton);
    ~CSnapAngleEditCombo() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

private:
    CAngularSnapToolbarComboBoxButton* m_pButton;
};
