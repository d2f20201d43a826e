#pragma once
// The attribute dialog: the named values of several shapes (mode 0), of a component definition (mode 1)
// or of placed components (mode 2, values only) in a grid of name and value. Names may be added, renamed
// and deleted for all objects at once; a name used twice is refused on OK with every edit kept; the rows
// can be copied as tab-separated text. Nothing reaches the document: the caller reads the edited lists.

#include <map>
#include <set>

#include "commands/shape/AttributeRows.h"
#include "controls/CGridCtrl.h"
#include "libs/vevure/FeatureAttribute.h"
#include "platform/bcg/CBCGPButton.h"
#include "platform/win/CDialog.h"

class Draw2dDocument;

class CAttributeDialog : public CDialog
{
public:
    enum { IDD = 563 };
    enum {
        kPlaceholder = 1001, kGrid = 1004, kDefinitionOption = 1005, kCopyAll = 1007, kNumberColumn = 1008,
        kCopySelection = 2421, kAdd = 2496, kDelete = 2499, kHelpButton = 57670,
    };
    enum { modeShapes = 0, modeDefinition = 1, modeComponents = 2 };

    CAttributeDialog(int nMode, Draw2dDocument* pDocument, CWnd* pParent = nullptr);
    ~CAttributeDialog() override;

    // Before DoModal: the list of the object with the id (an id given twice keeps its first list).
    void SetFeatureAttribute(const FeatureAttribute& attributes, long nID);
    // After IDOK: the edited list of the id, which must have been set.
    FeatureAttribute& GetFeatureAttribute(long nID);

    int m_bDefinitionOption = FALSE;
    int m_bNumberColumn = FALSE;

    BOOL OnInitDialog() override;
    void OnOK() override;

    CGridCtrl& GetGrid() { return m_grid; }
    const QZ2Command::AttributeRows& GetRows() const { return m_rows; }
    // The text the copy buttons put on the clipboard (empty when nothing would be copied).
    CString MakeCopyText(BOOL bSelectionOnly);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnCopyAll();
    afx_msg void OnCopySelection();
    DECLARE_MESSAGE_MAP()

private:
    void CreateGrid();
    void FillGrid();
    void PutOnClipboard(const CString& text);
    CString CellText(int nRow, int nColumn) const;

    int m_nMode;
    Draw2dDocument* m_pDocument;
    CGridCtrl m_grid;
    QZ2Command::AttributeRows::Lists m_lists;
    QZ2Command::AttributeRows m_rows;
    std::set<CString> m_knownNames;
    std::set<CString> m_knownValues;
    CBCGPButton m_helpButton;
};
