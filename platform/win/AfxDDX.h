#pragma once
// The dialog data exchange and validation functions called from DoDataExchange.
//
// DDX_ functions move a value between a control and a member: into the control when the
// exchange loads (m_bSaveAndValidate FALSE), out of it when it saves. A number that does not
// parse is refused with the matching prompt (a message box) and the exchange fails on that
// control. DDV_ functions check a saved value right after its DDX_ call and fail the same
// way; on loading they only pass limits to the control (DDV_MaxChars).

#include "platform/afx/CString.h"
#include "platform/win/CDataExchange.h"

void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
// DWORD is the same type as UINT here.
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of its group; value is the index of the checked one, -1 none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
// Attaches rControl to the control (once); the object then gets the control's messages.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
void DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);

// The prompt text of a string number (AFX_IDP_...), from the language library or, when it has
// none, the program's own text. %1 and %2 are replaced by the arguments.
CString AfxDataExchangePrompt(UINT nIDPrompt, const CString& arg1 = CString(), const CString& arg2 = CString());
