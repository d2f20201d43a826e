#pragma once
// A angle in degrees; typed values go to the parameter history.

#include "command/DoubleParameterItem.h"

namespace QZ2Command {

class AngleParameterItem : public DoubleParameterItem
{
    DECLARE_DYNCREATE(AngleParameterItem)
public:
    AngleParameterItem();

    // The text the command bar and the property list show; empty when empty.
    virtual CString GetDisplayText() const;
};

}  // namespace QZ2Command
