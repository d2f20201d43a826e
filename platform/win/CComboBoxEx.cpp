#include "platform/win/CComboBoxEx.h"

#include "platform/win/AfxControlWidget.h"
#include "platform/win/CEdit.h"
#include "platform/win/CImageList.h"

IMPLEMENT_DYNAMIC(CComboBoxEx, CComboBox)

void AfxRegisterComboBoxExClass() {
  CWnd::RegisterWidgetClass(u"ComboBoxEx32", &AfxMakeImageComboWidget);
  AfxRegisterControlObject(u"ComboBoxEx32", []() -> CWnd* { return new CComboBoxEx; });
}

CComboBoxEx::CComboBoxEx() = default;
CComboBoxEx::~CComboBoxEx() = default;

BOOL CComboBoxEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxRegisterControlClasses();
  return CWnd::Create(u"ComboBoxEx32", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBoxEx::InsertItem(const COMBOBOXEXITEM* pCBItem) {
  return static_cast<int>(SendMessage(CBEM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pCBItem)));
}
int CComboBoxEx::DeleteItem(int iIndex) { return static_cast<int>(SendMessage(CBEM_DELETEITEM, static_cast<WPARAM>(iIndex))); }
BOOL CComboBoxEx::GetItem(COMBOBOXEXITEM* pCBItem) {
  return static_cast<BOOL>(SendMessage(CBEM_GETITEM, 0, reinterpret_cast<LPARAM>(pCBItem)));
}
BOOL CComboBoxEx::SetItem(const COMBOBOXEXITEM* pCBItem) {
  return static_cast<BOOL>(SendMessage(CBEM_SETITEM, 0, reinterpret_cast<LPARAM>(pCBItem)));
}
CImageList* CComboBoxEx::SetImageList(CImageList* pImageList) {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      SendMessage(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr))));
}
CImageList* CComboBoxEx::GetImageList() const {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(const_cast<CComboBoxEx*>(this)->SendMessage(CBEM_GETIMAGELIST)));
}
CComboBox* CComboBoxEx::GetComboBoxCtrl() { return this; }
CEdit* CComboBoxEx::GetEditCtrl() {
  // The edit inside a drop-down combo box, null for a drop-down list.
  return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL))));
}
DWORD CComboBoxEx::GetExtendedStyle() const {
  return static_cast<DWORD>(const_cast<CComboBoxEx*>(this)->SendMessage(CBEM_GETEXTENDEDSTYLE));
}
DWORD CComboBoxEx::SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles) {
  return static_cast<DWORD>(SendMessage(CBEM_SETEXTENDEDSTYLE, dwExMask, static_cast<LPARAM>(dwExStyles)));
}
