#pragma once
// The geometric tolerance frame editor: three rows of characteristic symbol, tolerance and datums written
// into one frame string ("\*" between rows, "\|" between cells, "\>" for the symbol of the row above), code
// buttons that insert the modifier codes at the caret of the last row edit, the frame string itself and a
// drawn preview. Opened by the tolerance command and by the property list's tolerance rows.

#include <memory>

#include "controls/CSelectToleranceComboBox.h"
#include "platform/bcg/CBCGPButton.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CStatic.h"

class Draw2dDocument;
class QImage;

class CToleranceEditDialog : public CDialog
{
public:
    enum { IDD = 564 };
    static constexpr int kFrameEdit = 2489;
    static constexpr int kPreview = 2025;
    static constexpr int kFirstSymbolCombo = 2480;  // rows 1 to 3: 2480-2482
    static constexpr int kFirstToleranceEdit = 2483;  // 2483-2485
    static constexpr int kFirstDatumEdit = 2486;  // 2486-2488
    static constexpr int kFirstCodeButton = 2490;  // 2490-2498
    static constexpr int kLastCodeButton = 2498;
    static constexpr int kHelpButton = 57670;
    static constexpr int kRows = 3;
    static constexpr int kSymbolEntries = 15;
    // Which code buttons are enabled, by what has the focus.
    enum CodeButtonState { buttonsOff = 0, buttonsTolerance = 2, buttonsDatum = 3 };

    CToleranceEditDialog(CWnd* pParent, const Draw2dDocument* pDocument);
    ~CToleranceEditDialog() override;

    // Set before DoModal; after IDOK the frame string (possibly empty).
    CString m_strText;
    // Kept for the property list's tolerance rows; the editor does not use it.
    int m_nExtraValue = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The code character of each combo entry ('>' then the fourteen symbol letters).
    static TCHAR SymbolCode(int nEntry);
    // The frame string of three rows; a symbol is "" or a backslash and its code character.
    static CString BuildFrameString(const CString symbols[kRows], const CString tolerances[kRows],
                                    const CString datums[kRows]);
    // A cell's text without a lone backslash at its end.
    static CString DropLoneBackslash(const CString& text);
    // FALSE when the text of a tolerance or datum cell holds a characteristic symbol code.
    static BOOL IsCellAcceptable(const CString& text);
    // The code each button inserts.
    static CString CodeOfButton(int nID);

    // The last rendered preview (NULL before the first).
    const QImage* GetPreviewImage() const { return m_pPreview.get(); }
    void SetCodeButtons(int nState);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnRowChange(UINT nID);
    afx_msg void OnFrameChange();
    afx_msg void OnComboSetFocus(UINT nID);
    afx_msg void OnEditSetFocus(UINT nID);
    afx_msg void OnEditKillFocus(UINT nID);
    afx_msg void OnCodeButton(UINT nID);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    void RebuildFrameString();
    void ReadFrameString(BOOL bFill);
    void RenderPreview(const CString& frame);
    // Checks the edit's cell; a refused cell is told and gets the focus back. FALSE when refused.
    BOOL CheckCell(int nID);

    CStatic m_preview;
    // The buttons' images, kept while the buttons show them.
    CBitmap m_codeImages[kLastCodeButton - kFirstCodeButton + 1];
    CSelectToleranceComboBox m_symbols[kRows];
    CBCGPButton m_codeButtons[kLastCodeButton - kFirstCodeButton + 1];
    CBCGPButton m_helpButton;
    std::unique_ptr<QImage> m_pPreview;
    const Draw2dDocument* m_pDocument = nullptr;
    BOOL m_bReady = FALSE;
    CWnd* m_pInsertTarget = nullptr;
    int m_nInsertPosition = -1;
    // No second refusal while the first one is told.
    BOOL m_bChecking = FALSE;
};
