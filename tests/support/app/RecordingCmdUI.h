#pragma once
// Records what a command's update handler set: enabled, check mark and text.

#include "platform/afx/CString.h"
#include "platform/win/CCmdUI.h"

class RecordingCmdUI : public CCmdUI
{
public:
    explicit RecordingCmdUI(UINT nID) { m_nID = nID; }
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { check = nCheck; }
    void SetText(LPCTSTR lpszText) override { text = lpszText; }

    BOOL enabled = -1;
    int check = -1;
    CString text = u"untouched";
};
