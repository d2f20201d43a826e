#pragma once
// The snap-angle field of the snap options page: the presets 15-90 and any typed angle, kept by the
// combo for its page.

#include "controls/CQZ2EditComboBox.h"

class CAngularSnapComboBox : public CQZ2EditComboBox
{
    DECLARE_DYNAMIC(CAngularSnapComboBox)
public:
    CAngularSnapComboBox();
    ~CAngularSnapComboBox() override;

    // Normalises and shows the angle; 0 and angles that are not finite are refused (the stored one stays).
    int SetAngle(double degrees);
    // Reads the field first.
    double GetAngle();
    void FillPresetAngles();
    // 1 when the field held an angle (then stored), 0 when its text is not one.
    int ReadAngle();
    void ShowAngle();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSelEndOk();
    afx_msg LRESULT OnEnter(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEscape(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    double m_dAngle = 0.0;
};
