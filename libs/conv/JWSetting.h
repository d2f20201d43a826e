#pragma once
// The options of one JWS/JWK symbol import: the layer that symbols go on, or the reference JWC file whose
// layers (and, when asked, pens) they take instead.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class JWSetting
{
public:
    JWSetting() = default;

    void SetJwkReferenceJwcFilePath(LPCTSTR lpszPath) { m_strReferencePath = lpszPath != nullptr ? lpszPath : _T(""); }
    const CString& GetJwkReferenceJwcFilePath() const { return m_strReferencePath; }

    // The layer every symbol goes on (choice 0).
    long m_nJwkLayerID = -1;
    // Choice 1: the layers of the reference JWC file.
    BOOL m_bJwkReferenceLayers = FALSE;
    // The check box: colours and line types from the reference file's pens.
    BOOL m_bJwkReferencePens = FALSE;

private:
    CString m_strReferencePath;
};
