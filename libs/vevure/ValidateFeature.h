#pragma once
// Checks of shapes before they are stored: the mode word says which checks run (bit 0 geometry).

#include "platform/afx/AfxTypes.h"

class Feature2dBase;

class ValidateFeature
{
public:
    ValidateFeature() = default;
    explicit ValidateFeature(DWORD dwMode) : m_dwMode(dwMode) {}
    ValidateFeature(const ValidateFeature&) = default;
    ValidateFeature& operator=(const ValidateFeature&) = default;
    virtual ~ValidateFeature() = default;

    DWORD GetMode() const { return m_dwMode; }
    void SetMode(DWORD dwMode) { m_dwMode = dwMode; }
    // FALSE for NULL or, with bit 0, a shape whose geometry is not valid.
    BOOL Validate(const Feature2dBase* pFeature) const;

private:
    DWORD m_dwMode = 1;
};
