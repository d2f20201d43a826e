#include "controls/CImageChoiceComboBox.h"

#include "controls/ControlsServices.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CImageChoiceComboBox, CComboBoxEx)

BEGIN_MESSAGE_MAP(CImageChoiceComboBox, CComboBoxEx)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CImageChoiceComboBox::CImageChoiceComboBox(UINT nBitmapId, UINT nFirstStringId, int nCount)
    : m_nBitmapId(nBitmapId), m_nFirstStringId(nFirstStringId), m_nCount(nCount)
{
}

CImageChoiceComboBox::~CImageChoiceComboBox() = default;

void CImageChoiceComboBox::Fill()
{
    if (m_images.GetSafeHandle() == nullptr)
        m_images.Create(m_nBitmapId, 16, 0, RGB(255, 0, 0));
    SetImageList(&m_images);
    for (int i = 0; i < m_nCount; ++i) {
        CString text = ControlsServices::LoadString(m_nFirstStringId + i);
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

int CImageChoiceComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBoxEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    Fill();
    return 0;
}

void CImageChoiceComboBox::PreSubclassWindow()
{
    Fill();
    CComboBoxEx::PreSubclassWindow();
}

void CImageChoiceComboBox::SetChoice(int nChoice)
{
    SetCurSel(nChoice >= 0 && nChoice < m_nCount ? nChoice : -1);
}

int CImageChoiceComboBox::GetChoice() const
{
    const int selected = GetCurSel();
    return selected >= 0 && selected < m_nCount ? selected : -1;
}
