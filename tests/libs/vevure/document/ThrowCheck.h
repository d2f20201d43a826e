#pragma once
// Framework exceptions are thrown as pointers; the tests free the ones they catch.

#include <type_traits>

template <class E, class F>
bool ThrowsAndFrees(F&& f)
{
    try {
        f();
    } catch (E* e) {
        e->Delete();
        return true;
    } catch (...) {
        return false;
    }
    return false;
}
