#pragma once
// One user-defined property of a drawing: its name and value, as the document properties dialog
// shows them and the user-defined section of the file keeps them.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/ole/PropVariant.h"

class QZ2DocumentUserDefinedProperty : public CObject
{
    DECLARE_DYNAMIC(QZ2DocumentUserDefinedProperty)
public:
    QZ2DocumentUserDefinedProperty() = default;
    QZ2DocumentUserDefinedProperty(const CString& strName, const PropVariant& value);
    QZ2DocumentUserDefinedProperty(const QZ2DocumentUserDefinedProperty& other);
    QZ2DocumentUserDefinedProperty& operator=(const QZ2DocumentUserDefinedProperty& other);
    ~QZ2DocumentUserDefinedProperty() override;

    // The value types a file keeps: texts, integers, numbers, dates, times and yes/no. Any other
    // type is stored empty.
    static BOOL IsStorableType(VARTYPE vt);

    CString m_strName;
    int m_nIndex = -1;  // the dialog's own number; not stored
    PropVariant m_value;
};
