#include "controls/CLineJoinComboBox.h"

#include "controls/ControlsServices.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CLineJoinComboBox, CComboBoxEx)

BEGIN_MESSAGE_MAP(CLineJoinComboBox, CComboBoxEx)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {
constexpr int kCount = 3;
}

CLineJoinComboBox::CLineJoinComboBox() = default;
CLineJoinComboBox::~CLineJoinComboBox() = default;

void CLineJoinComboBox::Fill()
{
    if (m_images.GetSafeHandle() == nullptr)
        m_images.Create(409, 16, 0, RGB(255, 0, 0));
    SetImageList(&m_images);
    for (int i = 0; i < kCount; ++i) {
        CString text = ControlsServices::LoadString(10260 + i);
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

int CLineJoinComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBoxEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    Fill();
    return 0;
}

void CLineJoinComboBox::PreSubclassWindow()
{
    Fill();
    CComboBoxEx::PreSubclassWindow();
}

void CLineJoinComboBox::SetLineJoin(int nJoin)
{
    SetCurSel(nJoin >= 0 && nJoin < kCount ? nJoin : -1);
}

int CLineJoinComboBox::GetLineJoin() const
{
    const int selected = GetCurSel();
    return selected >= 0 && selected < kCount ? selected : -1;
}
