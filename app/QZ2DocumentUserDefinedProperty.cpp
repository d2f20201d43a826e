#include "app/QZ2DocumentUserDefinedProperty.h"

IMPLEMENT_DYNAMIC(QZ2DocumentUserDefinedProperty, CObject)

QZ2DocumentUserDefinedProperty::QZ2DocumentUserDefinedProperty(const CString& strName, const PropVariant& value)
    : m_strName(strName), m_value(value)
{
}

QZ2DocumentUserDefinedProperty::QZ2DocumentUserDefinedProperty(const QZ2DocumentUserDefinedProperty& other)
    : CObject(), m_strName(other.m_strName), m_nIndex(other.m_nIndex), m_value(other.m_value)
{
}

QZ2DocumentUserDefinedProperty& QZ2DocumentUserDefinedProperty::operator=(const QZ2DocumentUserDefinedProperty& other)
{
    m_strName = other.m_strName;
    m_nIndex = other.m_nIndex;
    m_value = other.m_value;
    return *this;
}

QZ2DocumentUserDefinedProperty::~QZ2DocumentUserDefinedProperty() = default;

BOOL QZ2DocumentUserDefinedProperty::IsStorableType(VARTYPE vt)
{
    switch (vt) {
    case VT_LPSTR:
    case VT_LPWSTR:
    case VT_BSTR:
    case VT_I2:
    case VT_I4:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_FILETIME:
    case VT_BOOL:
        return TRUE;
    default:
        return FALSE;
    }
}
