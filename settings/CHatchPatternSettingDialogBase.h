#pragma once
// What the two hatch pattern dialogs share: the pattern's name and its checks on OK, the live picture of
// the pattern in the owner-drawn preview control, the help icon, and the reading of the fields when the
// focus moves (a refused field takes the focus back, and that focus must not ask a second time).

#include "platform/afx/CStringArray.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "settings/HatchPatternPreview.h"

class Draw2dDocument;
class HatchPatternBase;

class CHatchPatternSettingDialogBase : public CDialog
{
public:
    static constexpr int kNameEdit = 2405;
    static constexpr int kPreview = 2516;

    ~CHatchPatternSettingDialogBase() override;

    // The names of the document's patterns, checked ignoring case against the name given on OK.
    CStringArray m_usedNames;
    Draw2dDocument* m_pDocument = nullptr;

    const HatchPatternPreview& GetPreview() const { return m_preview; }

protected:
    CHatchPatternSettingDialogBase(UINT nIDTemplate, CWnd* pParent);

    // The pattern the picture shows.
    virtual const HatchPatternBase* GetEditedPattern() const = 0;

    // The picture outdated and the help icon set: the end of OnInitDialog.
    void InitPreviewAndHelp();
    void MarkPreviewOutdated();
    // UpdateData(TRUE) guarded against the focus changes it causes; FALSE when a field is refused or a
    // read is already under way.
    BOOL ReadFields();
    // Whether a focus change should read the fields: FALSE (once) for the focus a refused field took back.
    BOOL IsFocusToRead();
    // Checks m_strName: empty refused (10257); a name in use refused (10258) or, with bAskReplace, asked
    // about (10371). FALSE leaves the focus on the name.
    BOOL CheckName(BOOL bAskReplace);

    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

    CString m_strName;
    HatchPatternPreview m_preview;
    CBitmap m_helpImage;

private:
    BOOL m_bReading = FALSE;
    BOOL m_bFocusWhileReading = FALSE;
    BOOL m_bSkipFocusRead = FALSE;
};
