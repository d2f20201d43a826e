#pragma once
// Field-by-field comparison of two documents for the tests: drawings with their layouts and settings,
// component definitions, layers, tables, settings, current values, modes, saved views and every live
// record (drawing and shape, compared through their stored form). Differences are reported as gtest
// failures naming the field.

#include <string>

class Draw2dDocument;

class DocumentCompare
{
public:
    // Adds a failure for every difference; returns true when there is none.
    static bool ExpectSame(const Draw2dDocument& a, const Draw2dDocument& b, const std::string& what);
};
