#pragma once
// A length in drawing units; typed values go to the parameter history.

#include "command/DoubleParameterItem.h"

namespace QZ2Command {

class LengthParameterItem : public DoubleParameterItem
{
    DECLARE_DYNCREATE(LengthParameterItem)
public:
    LengthParameterItem();

    // The text the command bar and the property list show; empty when empty.
    virtual CString GetDisplayText() const;
};

}  // namespace QZ2Command
