#pragma once
// The snap-angle field of the standard toolbar (command 34663): the presets 15-90 and any typed angle,
// applied to the application's option SnapAngle at once. It always shows the option.

#include "controls/CQZ2ToolbarComboBoxButton.h"

class NotifyInfoBase;

class CAngularSnapToolbarComboBoxButton : public CQZ2ToolbarComboBoxButton
{
    DECLARE_SERIAL(CAngularSnapToolbarComboBoxButton)
public:
    static constexpr UINT kCommandId = 34663;

    CAngularSnapToolbarComboBoxButton();
    ~CAngularSnapToolbarComboBoxButton() override;

    static CRuntimeClass* GetButtonClass() { return RUNTIME_CLASS(CAngularSnapToolbarComboBoxButton); }
    // Shows the angle (the preset row when one equals it).
    void SetAngleText(double degrees);
    // Kinds 1 and 14.
    static BOOL IsUpdateNeeded(const NotifyInfoBase* pInfo);
    void OnNotify(const NotifyInfoBase* pInfo);
    // Enter (0) and a chosen preset apply the angle and give the focus back to the drawing view; leaving
    // the field (CBN_KILLFOCUS) shows the option again.
    BOOL NotifyCommand(int iNotifyCode) override;
    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;

private:
    void FillPresets();
    void ShowCurrentAngle();
    static void FocusDrawing();
};
