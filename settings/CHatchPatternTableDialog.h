#pragma once
// The document's own hatch patterns as pictures with their names: new line patterns, new shape patterns
// (through the shape-pattern command), edit, copy, rename in place and delete. Every change is made in the
// document at once; the command that opens the dialog makes all of them one undo step.

#include "platform/afx/CStringArray.h"
#include "platform/bcg/CBCGPMenuButton.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CMenu.h"
#include "settings/CUserDefinedHatchPatternListCtrl.h"

class Draw2dDocument;
class HatchPatternTable;

class CHatchPatternTableDialog : public CDialog
{
public:
    enum { IDD = 527 };
    static constexpr int kPatternList = 2300, kNewButton = 2496, kEditButton = 2501, kDeleteButton = 2499;
    static constexpr int kCopyButton = 2421, kHatchStyleButton = 2522;
    static constexpr UINT kNewMenu = 236, kNewLinePattern = 39542, kNewShapePattern = 39543;
    static constexpr UINT kShapePatternCommand = 33574;
    static constexpr int kHatchStyleResult = 100;

    CHatchPatternTableDialog(CWnd* pParent, Draw2dDocument* pDocument);
    ~CHatchPatternTableDialog() override;

    BOOL OnInitDialog() override;
    CUserDefinedHatchPatternListCtrl& GetPatternList() { return m_patternList; }

    // What a choice of the New menu does.
    void OnNewMenuCommand(UINT nCommand);
    // The name of a copy of the pattern called label: "<base> (<n>)" with the first n the table lacks.
    static CString MakeCopyName(const CString& label, const HatchPatternTable& table);
    // "<word> <n>" with the first n from 1 that no name among names has, ignoring case.
    static CString MakeDefaultName(const CString& word, const CStringArray& names);

    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnCopy();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnNew();
    afx_msg void OnHatchStyle();
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void UpdateButtons();
    void SelectItem(int nIndex);
    // Appends the stored pattern of the id to the list and selects it.
    void ShowAddedPattern(long nPatternID);

    Draw2dDocument* m_pDocument = nullptr;
    CUserDefinedHatchPatternListCtrl m_patternList;
    CBCGPMenuButton m_newButton;
    CMenu m_newMenu;
    CBitmap m_helpImage;
};
