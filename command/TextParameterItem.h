#pragma once
// A free text; the item is empty exactly when the text is empty.

#include "command/ParameterItemBase.h"

namespace QZ2Command {

class TextParameterItem : public ParameterItemBase
{
    DECLARE_DYNCREATE(TextParameterItem)
public:
    TextParameterItem();

    BOOL SetValueFrom(const ParameterItemBase& source) override;
    void Copy(const ParameterItemBase& source) override;
    BOOL IsEqual(const ParameterItemBase& other) const override;

    BOOL SetValue(const CString& text);
    BOOL GetValue(CString& text) const;

    CString m_strText;
    // The property list edits the text in a dialog instead of in place.
    BOOL m_bEditInDialog = FALSE;
    // The property list's text dialog may hand back an empty text.
    BOOL m_bAcceptEmptyText = FALSE;
};

}  // namespace QZ2Command
