#pragma once
// The text of a geometric-tolerance frame.

#include "command/ParameterItemBase.h"

class Draw2dDocument;

namespace QZ2Command {

class ToleranceParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(ToleranceParameterItem)
public:
    ToleranceParameterItem();

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    // Also an empty text makes the item non-empty.
    BOOL SetValue(const CString& text);

    CString m_strText;
    // While set, the property list edits the text in the tolerance dialog, which draws in it.
    Draw2dDocument* m_pDocument = nullptr;
    // Handed to the tolerance dialog unchanged; not copied.
    int m_nDialogValue = 0;
};

}  // namespace QZ2Command
