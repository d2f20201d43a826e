#pragma once
// One user-defined document property edited (template 613): its name, its type (text, number or
// date) and its value as text. OK refuses a value that is not of the type chosen.

#include "app/QZ2DocumentUserDefinedProperty.h"
#include "platform/afx/CString.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"

class CUserDefinedPropertyDialog : public CDialog
{
    DECLARE_DYNAMIC(CUserDefinedPropertyDialog)
public:
    enum { IDD = 613 };
    enum { kTypeText = 0, kTypeNumber = 1, kTypeDate = 2 };

    explicit CUserDefinedPropertyDialog(CWnd* pParent = nullptr);
    ~CUserDefinedPropertyDialog() override;

    void SetProperty(const QZ2DocumentUserDefinedProperty& property);
    void GetProperty(QZ2DocumentUserDefinedProperty& property) const;

    // The type a value shows as: number for the integer and real types, date, else text.
    static int TypeOf(const PropVariant& value);
    // The value as the dialog and the list show it.
    static CString ValueText(const PropVariant& value);
    // A number typed by the user: the whole text an integer of 32 bits (VT_I4), else the whole
    // text a number (VT_R8). FALSE when it is neither.
    static BOOL ParseNumber(const CString& strText, PropVariant& value);
    // A date typed by the user, in the form the dialog shows or the user's own; FALSE when none.
    static BOOL ParseDate(const CString& strText, PropVariant& value);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    QZ2DocumentUserDefinedProperty m_property;
    int m_nType = kTypeText;
    CString m_strValue;
    CBitmap m_helpImage;
};
