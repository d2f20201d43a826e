#include "controls/CLineCapComboBox.h"

#include "controls/ControlsServices.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CLineCapComboBox, CComboBoxEx)

BEGIN_MESSAGE_MAP(CLineCapComboBox, CComboBoxEx)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {
constexpr int kCount = 4;
}

CLineCapComboBox::CLineCapComboBox() = default;
CLineCapComboBox::~CLineCapComboBox() = default;

void CLineCapComboBox::Fill()
{
    if (m_images.GetSafeHandle() == nullptr)
        m_images.Create(408, 16, 0, RGB(255, 0, 0));
    SetImageList(&m_images);
    for (int i = 0; i < kCount; ++i) {
        CString text = ControlsServices::LoadString(10252 + i);
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = i;
        item.pszText = text.GetBuffer();
        item.iImage = i;
        item.iSelectedImage = i;
        InsertItem(&item);
        text.ReleaseBuffer();
    }
}

int CLineCapComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBoxEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    Fill();
    return 0;
}

void CLineCapComboBox::PreSubclassWindow()
{
    Fill();
    CComboBoxEx::PreSubclassWindow();
}

void CLineCapComboBox::SetLineCap(int nCap)
{
    SetCurSel(nCap >= 0 && nCap < kCount ? nCap : -1);
}

int CLineCapComboBox::GetLineCap() const
{
    const int selected = GetCurSel();
    return selected >= 0 && selected < kCount ? selected : -1;
}
