#include "platform/ole/COleInsertDialog.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>

#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CFileDialog.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(COleInsertDialog, CDialog)

BEGIN_MESSAGE_MAP(COleInsertDialog, CDialog)
ON_BN_CLICKED(COleInsertDialog::kCreateNew, &COleInsertDialog::OnChoice)
ON_BN_CLICKED(COleInsertDialog::kCreateFromFile, &COleInsertDialog::OnChoice)
ON_BN_CLICKED(COleInsertDialog::kLink, &COleInsertDialog::OnChoice)
ON_BN_CLICKED(COleInsertDialog::kBrowse, &COleInsertDialog::OnBrowse)
ON_LBN_DBLCLK(COleInsertDialog::kTemplateList, &COleInsertDialog::OnListDblClk)
END_MESSAGE_MAP()

COleInsertDialog::COleInsertDialog(DWORD dwFlags, CWnd* pParentWnd)
    : CDialog(kTemplateID, pParentWnd), m_dwFlags(dwFlags)
{
}

COleInsertDialog::~COleInsertDialog() = default;

CString COleInsertDialog::GetTemplatesFolder()
{
    return CString::FromQString(QStandardPaths::writableLocation(QStandardPaths::TemplatesLocation));
}

INT_PTR COleInsertDialog::DoModal()
{
    m_strPath.Empty();
    m_nSelection = (m_dwFlags & IOF_SELECTCREATEFROMFILE) != 0 ? insertFromFile : createNewItem;
    return CDialog::DoModal();
}

void COleInsertDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kTemplateList, m_list);
}

BOOL COleInsertDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_templates.RemoveAll();
    const QString folder = GetTemplatesFolder().ToQString();
    if (!folder.isEmpty()) {
        const QFileInfoList files =
            QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& file : files) {
            const int n = m_list.AddString(CString::FromQString(file.completeBaseName()));
            if (n >= 0) {
                m_list.SetItemData(n, static_cast<DWORD_PTR>(m_templates.GetSize()));
                m_templates.Add(CString::FromQString(file.absoluteFilePath()));
            }
        }
    }
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
    CheckRadioButton(kCreateNew, kCreateFromFile, m_nSelection == createNewItem ? kCreateNew : kCreateFromFile);
    CheckDlgButton(kLink, (m_dwFlags & IOF_CHECKLINK) != 0 ? BST_CHECKED : BST_UNCHECKED);
    UpdateControls();
    return TRUE;
}

void COleInsertDialog::UpdateControls()
{
    const BOOL bNew = IsDlgButtonChecked(kCreateNew) == BST_CHECKED;
    if (CWnd* p = GetDlgItem(kTemplateList))
        p->ShowWindow(bNew ? SW_SHOW : SW_HIDE);
    for (int id : {kFileEdit, kBrowse, kLink})
        if (CWnd* p = GetDlgItem(id))
            p->ShowWindow(bNew ? SW_HIDE : SW_SHOW);
}

void COleInsertDialog::OnChoice()
{
    UpdateControls();
}

void COleInsertDialog::OnBrowse()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    POSITION pos = dialog.GetStartPosition();
    if (pos != nullptr)
        SetDlgItemText(kFileEdit, dialog.GetNextPathName(pos));
}

void COleInsertDialog::OnListDblClk()
{
    OnOK();
}

void COleInsertDialog::OnOK()
{
    if (IsDlgButtonChecked(kCreateNew) == BST_CHECKED) {
        const int n = m_list.GetCurSel();
        if (n < 0)
            return;
        const DWORD_PTR index = m_list.GetItemData(n);
        if (index >= static_cast<DWORD_PTR>(m_templates.GetSize()))
            return;
        m_strPath = m_templates[static_cast<INT_PTR>(index)];
        m_nSelection = createNewItem;
    } else {
        CString path;
        GetDlgItemText(kFileEdit, path);
        path.Trim();
        if (path.IsEmpty() || !QFileInfo(path.ToQString()).isFile()) {
            if (CWnd* p = GetDlgItem(kFileEdit))
                p->SetFocus();
            return;
        }
        m_strPath = CString::FromQString(QFileInfo(path.ToQString()).absoluteFilePath());
        m_nSelection = IsDlgButtonChecked(kLink) == BST_CHECKED ? linkToFile : insertFromFile;
    }
    CDialog::OnOK();
}
