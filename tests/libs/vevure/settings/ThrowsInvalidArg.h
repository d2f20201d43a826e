#pragma once
// Whether a call throws the framework's invalid-argument exception (which is then freed).

#include <functional>

#include "platform/afx/CInvalidArgException.h"

namespace settings_test {

inline bool ThrowsInvalidArg(const std::function<void()>& call)
{
    try {
        call();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

}  // namespace settings_test
