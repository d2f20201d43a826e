#pragma once
// The options of the SFC/P21 converter that the settings sheet shows. Nothing in this program writes SFC or
// P21 yet; the values are kept for the sheet and the settings store.

#include "platform/afx/AfxTypes.h"

class QZ2ProductVersion;

class SXFSetting
{
public:
    SXFSetting() = default;
    explicit SXFSetting(const QZ2ProductVersion* pVersion) : m_pVersion(pVersion) {}

    const QZ2ProductVersion* GetProductVersion() const { return m_pVersion; }

    // Stored ("SxfSave").
    int m_nResolveDimensionWrite = 0;
    int m_nResolveLeadWrite = 0;
    int m_nResolveBaloonWrite = 0;
    // Shown, but kept only for the run.
    int m_nWriteSwitch1 = 0;
    int m_nWriteSwitch2 = 0;
    int m_nWriteSwitch3 = 0;

private:
    const QZ2ProductVersion* m_pVersion = nullptr;
};
