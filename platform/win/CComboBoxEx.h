#pragma once
// A combo box whose items carry images from an image list (and an indent and item data);
// everything else is the combo box's, notifications included.

#include "platform/win/CComboBox.h"

class CImageList;
class CEdit;

class CComboBoxEx : public CComboBox {
  DECLARE_DYNAMIC(CComboBoxEx)
public:
  CComboBoxEx();
  ~CComboBoxEx() override;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

  int InsertItem(const COMBOBOXEXITEM* pCBItem);
  int DeleteItem(int iIndex);
  BOOL GetItem(COMBOBOXEXITEM* pCBItem);
  BOOL SetItem(const COMBOBOXEXITEM* pCBItem);
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetImageList() const;
  CComboBox* GetComboBoxCtrl();
  CEdit* GetEditCtrl();
  DWORD GetExtendedStyle() const;
  DWORD SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles);
};
