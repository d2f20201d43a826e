#include "platform/ole/OleTypes.h"

const GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
const FMTID FMTID_SummaryInformation = {0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}};
const FMTID FMTID_DocSummaryInformation = {0xD5CDD502, 0x2E9C, 0x101B, {0x93, 0x97, 0x08, 0x00, 0x2B, 0x2C, 0xF9, 0xAE}};
const FMTID FMTID_UserDefinedProperties = {0xD5CDD505, 0x2E9C, 0x101B, {0x93, 0x97, 0x08, 0x00, 0x2B, 0x2C, 0xF9, 0xAE}};

void GuidToBytes(REFGUID guid, BYTE bytes[16])
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<BYTE>(guid.Data1 >> (8 * i));
    bytes[4] = static_cast<BYTE>(guid.Data2);
    bytes[5] = static_cast<BYTE>(guid.Data2 >> 8);
    bytes[6] = static_cast<BYTE>(guid.Data3);
    bytes[7] = static_cast<BYTE>(guid.Data3 >> 8);
    for (int i = 0; i < 8; ++i)
        bytes[8 + i] = guid.Data4[i];
}

GUID GuidFromBytes(const BYTE bytes[16])
{
    GUID guid;
    guid.Data1 = DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24;
    guid.Data2 = static_cast<WORD>(bytes[4] | bytes[5] << 8);
    guid.Data3 = static_cast<WORD>(bytes[6] | bytes[7] << 8);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = bytes[8 + i];
    return guid;
}

CString GuidToString(REFGUID guid)
{
    CString text;
    text.Format(_T("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}"), guid.Data1, guid.Data2, guid.Data3,
                guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
    return text;
}

namespace {
int HexDigit(TCHAR ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}
}  // namespace

BOOL GuidFromString(LPCTSTR lpsz, GUID& guid)
{
    if (lpsz == nullptr)
        return FALSE;
    CString text(lpsz);
    text.Trim();
    if (text.GetLength() == 38 && text[0] == '{' && text[37] == '}')
        text = text.Mid(1, 36);
    if (text.GetLength() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return FALSE;
    CString digits = text.Left(8) + text.Mid(9, 4) + text.Mid(14, 4) + text.Mid(19, 4) + text.Mid(24);
    BYTE value[16];
    int n = 0;
    for (int i = 0; i + 1 < digits.GetLength() && n < 16; i += 2) {
        const int hi = HexDigit(digits[i]);
        const int lo = HexDigit(digits[i + 1]);
        if (hi < 0 || lo < 0)
            return FALSE;
        value[n++] = static_cast<BYTE>(hi << 4 | lo);
    }
    if (n != 16)
        return FALSE;
    guid.Data1 = DWORD(value[0]) << 24 | DWORD(value[1]) << 16 | DWORD(value[2]) << 8 | value[3];
    guid.Data2 = static_cast<WORD>(value[4] << 8 | value[5]);
    guid.Data3 = static_cast<WORD>(value[6] << 8 | value[7]);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = value[8 + i];
    return TRUE;
}
