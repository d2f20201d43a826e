#pragma once
// The customisation sheet of the main frame: three pages (toolbars, commands, keys), help for each page,
// and, when it closes, the special buttons put back in place of the plain ones the user dragged onto
// toolbars. Its keyboard page refuses the keys that the drawing view hands to the running command and
// asks before a key moves from one command to another.

#include "platform/bcg/CBCGPToolbarCustomize.h"

class CMainFrame;

class CQZ2ToolbarCustomizeDialog : public CBCGPToolbarCustomize
{
    DECLARE_DYNAMIC(CQZ2ToolbarCustomizeDialog)
public:
    CQZ2ToolbarCustomizeDialog(CMainFrame* pFrame, BOOL bAutoSetFromMenus, UINT uiFlags, void* plistCustomPages);
    ~CQZ2ToolbarCustomizeDialog() override;

    CMainFrame* GetMainFrame() const { return m_pMainFrame; }
    // The sheet open now (one at a time), or NULL.
    static CQZ2ToolbarCustomizeDialog* GetOpenSheet();
    // The help topic of the page at the index (480-482), 0 for none.
    static DWORD GetPageHelpContext(int nPage);
    // Keys that stay with the running command: Backspace, Enter, Escape, Page Up, Page Down and the arrows
    // without Ctrl or Alt.
    static BOOL IsReservedKey(WORD nKey, BYTE fVirt);

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnInitDialog() override;
    void OnHelp() override;
    // Closing the sheet ends the customisation: the window goes, not only out of sight.
    void OnOK() override;
    void OnCancel() override;
    void DestroyLater();
    afx_msg void OnDestroy();

    CMainFrame* m_pMainFrame;
};
