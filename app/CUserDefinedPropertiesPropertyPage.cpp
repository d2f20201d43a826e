#include "app/CUserDefinedPropertiesPropertyPage.h"

#include <cstdlib>

#include "app/CUserDefinedPropertyDialog.h"
#include "app/QZ2DocumentProperties.h"
#include "command/LoadResourceString.h"
#include "platform/gdi/CFont.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CUserDefinedPropertiesPropertyPage, CPropertyPage)

namespace {
constexpr UINT IDS_NEW_PROPERTY = 10303;
constexpr UINT IDS_COLUMN_NAME = 10399;
constexpr UINT IDS_COLUMN_TYPE = 10400;
constexpr UINT IDS_COLUMN_VALUE = 10401;
constexpr UINT IDS_TYPE_FIRST = 10402;  // text, number, date
}  // namespace

BEGIN_MESSAGE_MAP(CUserDefinedPropertiesPropertyPage, CPropertyPage)
    ON_BN_CLICKED(IDC_ADD, &CUserDefinedPropertiesPropertyPage::OnAdd)
    ON_BN_CLICKED(IDC_EDIT, &CUserDefinedPropertiesPropertyPage::OnEdit)
    ON_BN_CLICKED(IDC_DELETE, &CUserDefinedPropertiesPropertyPage::OnDelete)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST, &CUserDefinedPropertiesPropertyPage::OnListItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST, &CUserDefinedPropertiesPropertyPage::OnListDoubleClick)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CUserDefinedPropertiesPropertyPage::CUserDefinedPropertiesPropertyPage() : CPropertyPage(IDD) {}

CUserDefinedPropertiesPropertyPage::~CUserDefinedPropertiesPropertyPage()
{
    DeleteRowData();
}

BOOL CUserDefinedPropertiesPropertyPage::IsListedType(VARTYPE vt)
{
    return vt == VT_BSTR || vt == VT_LPWSTR || vt == VT_LPSTR || vt == VT_I4 || vt == VT_R8 || vt == VT_I8 ||
                   vt == VT_DATE
               ? TRUE
               : FALSE;
}

void CUserDefinedPropertiesPropertyPage::LoadFrom(const QZ2DocumentProperties& properties)
{
    m_properties.clear();
    m_unlisted.clear();
    for (int i = 0; i < properties.GetUserDefinedPropertyCount(); ++i) {
        const QZ2DocumentUserDefinedProperty* p = properties.GetUserDefinedProperty(i);
        if (p == nullptr)
            continue;
        if (IsListedType(p->m_value.GetType()))
            m_properties.push_back(*p);
        else
            m_unlisted.push_back(*p);
    }
}

void CUserDefinedPropertiesPropertyPage::StoreTo(QZ2DocumentProperties& properties) const
{
    properties.RemoveAllUserDefinedProperties();
    for (const auto& p : m_properties)
        properties.AppendUserDefinedProperty(p);
    for (const auto& p : m_unlisted)
        properties.AppendUserDefinedProperty(p);
}

CString CUserDefinedPropertiesPropertyPage::MakeNewPropertyName() const
{
    std::vector<CString> names;
    if (m_list.GetSafeHwnd() != nullptr) {
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            names.push_back(m_list.GetItemText(i, 0));
    } else {
        for (const auto& p : m_properties)
            names.push_back(p.m_strName);
    }
    const CString stem = LoadResourceString(IDS_NEW_PROPERTY);
    for (int n = 1;; ++n) {
        CString name;
        name.Format(u"%s %d", static_cast<LPCTSTR>(stem), n);
        bool taken = false;
        for (const CString& other : names)
            taken = taken || other.CompareNoCase(name) == 0;
        if (!taken)
            return name;
    }
}

void CUserDefinedPropertiesPropertyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_list);
}

BOOL CUserDefinedPropertiesPropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitList();
    return TRUE;
}

void CUserDefinedPropertiesPropertyPage::InitList()
{
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    // A state image list one pixel wide only sets the row height to a little more than the font's.
    LOGFONT lf{};
    if (CFont* pFont = GetFont())
        pFont->GetLogFont(&lf);
    const int height = std::abs(static_cast<int>(lf.lfHeight)) * 5 / 4;
    if (height > 0 && m_rowHeight.Create(1, height, ILC_COLOR, 1, 1))
        m_list.SetImageList(&m_rowHeight, LVSIL_STATE);
    CRect client;
    m_list.GetClientRect(&client);
    const int width = client.Width() / 3 - 1;
    m_list.InsertColumn(0, LoadResourceString(IDS_COLUMN_NAME), LVCFMT_LEFT, width);
    m_list.InsertColumn(1, LoadResourceString(IDS_COLUMN_TYPE), LVCFMT_LEFT, width);
    m_list.InsertColumn(2, LoadResourceString(IDS_COLUMN_VALUE), LVCFMT_LEFT, width);
    for (const auto& p : m_properties)
        InsertListItem(m_list.GetItemCount(), p);
    if (m_list.GetItemCount() > 0)
        SelectItem(0);
    UpdateButtons();
}

int CUserDefinedPropertiesPropertyPage::InsertListItem(int nItem, const QZ2DocumentUserDefinedProperty& property)
{
    const int index = m_list.InsertItem(nItem, property.m_strName);
    if (index < 0)
        return index;
    m_list.SetItemData(index, reinterpret_cast<DWORD_PTR>(new QZ2DocumentUserDefinedProperty(property)));
    SetListItem(index, property);
    return index;
}

void CUserDefinedPropertiesPropertyPage::SetListItem(int nItem, const QZ2DocumentUserDefinedProperty& property)
{
    if (auto* pCopy = reinterpret_cast<QZ2DocumentUserDefinedProperty*>(m_list.GetItemData(nItem)))
        *pCopy = property;
    m_list.SetItemText(nItem, 0, property.m_strName);
    m_list.SetItemText(nItem, 1,
                       LoadResourceString(IDS_TYPE_FIRST + CUserDefinedPropertyDialog::TypeOf(property.m_value)));
    m_list.SetItemText(nItem, 2, CUserDefinedPropertyDialog::ValueText(property.m_value));
}

void CUserDefinedPropertiesPropertyPage::SelectItem(int nItem)
{
    // One row at a time: the one the buttons act on.
    for (int i = m_list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_list.GetNextItem(i, LVNI_SELECTED))
        if (i != nItem)
            m_list.SetItemState(i, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(nItem, FALSE);
}

int CUserDefinedPropertiesPropertyPage::GetSelectedItem() const
{
    return m_list.GetSafeHwnd() != nullptr ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
}

void CUserDefinedPropertiesPropertyPage::UpdateButtons()
{
    const BOOL bSelected = GetSelectedItem() >= 0;
    if (CWnd* pEdit = GetDlgItem(IDC_EDIT))
        pEdit->EnableWindow(bSelected);
    if (CWnd* pDelete = GetDlgItem(IDC_DELETE))
        pDelete->EnableWindow(bSelected);
}

void CUserDefinedPropertiesPropertyPage::OnAdd()
{
    QZ2DocumentUserDefinedProperty property(MakeNewPropertyName(), PropVariant::BString(CString()));
    CUserDefinedPropertyDialog dialog(this);
    dialog.SetProperty(property);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetProperty(property);
    const int index = InsertListItem(m_list.GetItemCount(), property);
    if (index >= 0)
        SelectItem(index);
    UpdateButtons();
}

void CUserDefinedPropertiesPropertyPage::OnEdit()
{
    const int index = GetSelectedItem();
    auto* pProperty = index >= 0 ? reinterpret_cast<QZ2DocumentUserDefinedProperty*>(m_list.GetItemData(index)) : nullptr;
    if (pProperty == nullptr)
        return;
    CUserDefinedPropertyDialog dialog(this);
    dialog.SetProperty(*pProperty);
    if (dialog.DoModal() != IDOK)
        return;
    QZ2DocumentUserDefinedProperty edited;
    dialog.GetProperty(edited);
    SetListItem(index, edited);
}

void CUserDefinedPropertiesPropertyPage::OnDelete()
{
    const int index = GetSelectedItem();
    if (index < 0)
        return;
    delete reinterpret_cast<QZ2DocumentUserDefinedProperty*>(m_list.GetItemData(index));
    m_list.SetItemData(index, 0);
    m_list.DeleteItem(index);
    UpdateButtons();
}

void CUserDefinedPropertiesPropertyPage::OnListItemChanged(NMHDR*, LRESULT* pResult)
{
    UpdateButtons();
    if (pResult != nullptr)
        *pResult = 0;
}

void CUserDefinedPropertiesPropertyPage::OnListDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnEdit();
    if (pResult != nullptr)
        *pResult = 0;
}

void CUserDefinedPropertiesPropertyPage::OnOK()
{
    // The rows, in list order, are the page's properties.
    if (m_list.GetSafeHwnd() != nullptr) {
        m_properties.clear();
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            if (auto* p = reinterpret_cast<QZ2DocumentUserDefinedProperty*>(m_list.GetItemData(i)))
                m_properties.push_back(*p);
    }
    CPropertyPage::OnOK();
}

void CUserDefinedPropertiesPropertyPage::DeleteRowData()
{
    if (m_list.GetSafeHwnd() == nullptr)
        return;
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        delete reinterpret_cast<QZ2DocumentUserDefinedProperty*>(m_list.GetItemData(i));
        m_list.SetItemData(i, 0);
    }
    m_list.DeleteAllItems();
}

void CUserDefinedPropertiesPropertyPage::OnDestroy()
{
    DeleteRowData();
    CPropertyPage::OnDestroy();
}
