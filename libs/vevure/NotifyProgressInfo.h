#pragma once
// One progress report of a long operation, handed to the caller's progress callback. The region search
// and the file converters send the same record. The text is not owned: it lives only during the call,
// so a callback that keeps it copies it.

#include "platform/afx/AfxTypes.h"

class NotifyProgressInfo
{
public:
    // What happens.
    enum Kind { kindBegin = 1, kindNewRange = 2, kindStep = 3, kindEnd = 4, kindFinish = 5 };

    NotifyProgressInfo() = default;
    NotifyProgressInfo(const NotifyProgressInfo& other) = default;
    NotifyProgressInfo& operator=(const NotifyProgressInfo& other) = default;
    virtual ~NotifyProgressInfo() = default;

    int m_nKind = 0;
    // How the progress is to be shown (the region search always asks for 2).
    int m_nDisplayType = 0;
    int m_nRangeMin = 0;
    int m_nPosition = 0;
    int m_nRangeMax = 100;
    LPCWSTR m_pszText = nullptr;
};

// The caller's progress callback: a zero answer asks the operation to stop.
typedef int (*NotifyProgressFunction)(NotifyProgressInfo* pInfo, void* pUserData);
