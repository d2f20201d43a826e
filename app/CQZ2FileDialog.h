#pragma once
// The program's own open and save dialog. A caller names the file types to offer with a mask of
// file-type flags (0x2 drawing, 0x4 template, 0x40 all drawings, 0x100 DWG/DXF, 0x800 JWC/JWW,
// 0x1000 JWC, 0x4000 JWK, 0x40000 JWS, 0x8000 SFC/P21, 0x100000 images, 0x1 all files ...); the
// filter list is built from the mask in one fixed order and the chosen type is read back as its
// flag. A save dialog corrects the extension to the chosen type and asks before replacing a file.
//
// The dialog shows places, a path bar, the folder as icons (pictures of drawings and images read
// off the interface thread), small icons, a list or details, and a preview of the selected file.
// Open dialogs of drawings and images start in the view mode shared by every dialog of the run;
// closing one records the view the user left it in (the application keeps it between runs).
//
// View modes keep the numbers the options store: 28750 icons, 28752 small icons, 28753 list,
// 28747 details; any other stored number reads as 28750.

#include "platform/afx/CDWordArray.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringArray.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CDialog.h"
#include "platform/win/CEdit.h"

#include <memory>

class CQZ2FileDialog : public CDialog
{
    DECLARE_DYNAMIC(CQZ2FileDialog)
public:
    // Controls of the dialog, for whoever drives it as a user would.
    static constexpr int kFileNameEdit = 0x480;
    static constexpr int kTypeCombo = 0x470;
    static constexpr int kPathEdit = 1153;
    static constexpr int kUpButton = 1154;
    static constexpr int kPreviewTitle = 1163;
    static constexpr int kPreviewAuthor = 1164;
    static constexpr UINT kTemplate = 640;

    static constexpr DWORD kViewIcons = 28750;
    static constexpr DWORD kViewSmallIcons = 28752;
    static constexpr DWORD kViewList = 28753;
    static constexpr DWORD kViewDetails = 28747;

    // The title is "Open" or "Save As" until SetTitle or LoadTitle; single selection; no filter.
    explicit CQZ2FileDialog(BOOL bOpenFileDialog, CWnd* pParentWnd = nullptr);
    ~CQZ2FileDialog() override;

    void SetMultiSelect(BOOL bMultiSelect);  // open dialogs only
    void SetTitle(LPCTSTR lpszTitle);
    void LoadTitle(UINT nID);
    // The folder shown first; empty or missing: the user's home folder.
    void SetInitialFolder(LPCTSTR lpszFolder);
    // The name proposed in the file-name box (a name or a path). Longer than the system's path
    // limit: ignored.
    void SetFileName(LPCTSTR lpszFileName);
    // Rebuilds the filter list from the mask (0: no filter, every file shows).
    void SetFilterFlags(DWORD dwMask);
    // Preselects the first entry of that flag; no such entry leaves the selection.
    void SelectFilter(DWORD dwFlag);

    // IDOK or 0 (cancelled, or the dialog could not be made).
    INT_PTR DoModal() override;

    // After IDOK: the chosen files as full paths, in the order they were named.
    int GetFileCount() const { return static_cast<int>(m_files.GetSize()); }
    CString GetFilePath(int nIndex) const;  // empty out of range
    // The flag of the filter entry chosen (before DoModal: the preselected one; 0 without filters).
    DWORD GetCurrentFlag() const { return m_dwCurrentFlag; }
    // The 0-based filter entry chosen.
    int GetFilterIndex() const { return m_nFilterIndex; }
    BOOL GetReadOnly() const { return m_bReadOnly; }
    BOOL IsOpenDialog() const { return m_bOpen; }
    BOOL IsMultiSelect() const { return m_bMultiSelect; }
    // The filter list: description, NUL, pattern, NUL per entry.
    const CString& GetFilter() const { return m_strFilter; }
    // Per filter entry, 1-based: its flag and its default extension (without the dot; empty for
    // none). An index outside the list throws CInvalidArgException.
    DWORD GetFilterFlag(int nIndex) const;
    CString GetDefaultExtension(int nIndex) const;
    // Every known flag's default extension (empty for none or an unknown flag).
    static CString DefaultExtensionOfFlag(DWORD dwFlag);

    // The view mode every dialog of the run starts drawing folders in (0: not set, icons).
    static void SetViewMode(DWORD dwMode);
    static DWORD GetViewMode();

    // While the dialog runs: the folder shown, the view shown, and showing another.
    CString GetFolder() const;
    DWORD GetShownViewMode() const { return m_dwShownView; }
    BOOL ShowFolder(LPCTSTR lpszFolder);
    void ShowView(DWORD dwMode);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // The folder shown has changed.
    virtual void OnFolderChange();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTypeChange();
    afx_msg void OnUp();
    afx_msg void OnViewButton(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    struct Views;
    friend struct Views;

    void ApplyFilterToView();
    void RememberViewMode();
    void UpdatePreview();
    BOOL CollectOpen(const CStringArray& names);
    BOOL CollectSave(CString name);
    CStringArray SplitNames(const CString& text) const;
    CString Absolute(const CString& name) const;
    CString Extension(int nEntry) const;  // 0-based
    void ShowError(UINT nID, const CString& name);

    BOOL m_bOpen;
    BOOL m_bMultiSelect = FALSE;
    CStringArray m_files;
    CString m_strTitle;
    CString m_strInitialFolder;
    CString m_strFilter;
    CString m_strFileName;
    CDWordArray m_flags;
    int m_nFilterIndex = 0;
    BOOL m_bReadOnly = FALSE;
    DWORD m_dwCurrentFlag = 0;
    BOOL m_bViewModeApplied = FALSE;
    DWORD m_dwShownView = kViewList;

    CEdit m_editName;
    CEdit m_editPath;
    CComboBox m_comboType;
    std::unique_ptr<Views> m_pViews;

    static DWORD c_dwViewMode;
};
