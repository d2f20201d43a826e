#pragma once
// Turns a DWG file into DXF text with the outside converter: Node.js runs our script dwg2dxf.mjs over
// LibreDWG's WebAssembly build, both found in the "dwg" folder beside the program, in a child process
// (no shell) writing into a private temporary folder. While it runs the progress callback is called every
// few tenths of a second; a FALSE answer kills the child.
//
// Results: 0 with the DXF text, -5 when node, the script or the converter is missing, -6 when the child
// fails (crash, non-zero exit, time limit, no or oversized output), -100 when cancelled.

#include <string>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"
#include "libs/vevure/NotifyProgressInfo.h"

class DwgConverter
{
public:
    static constexpr int kTimeLimitMs = 10 * 60 * 1000;

    DwgConverter() = default;

    void SetNotifyProgressFunction(NotifyProgressFunction pfn, void* pUserData)
    {
        m_pfnProgress = pfn;
        m_pProgressUser = pUserData;
    }
    // The folder that holds dwg2dxf.mjs and the converter (default: "dwg" beside the program).
    void SetConverterFolder(const CString& strFolder) { m_strFolder = strFolder; }
    CString GetConverterFolder() const;
    // Whether node, the script and the converter can all be found.
    BOOL IsInstalled() const;
    int ConvertToDxf(const CString& strDwgPath, std::string& dxf);

private:
    CString FindNode() const;

    NotifyProgressFunction m_pfnProgress = nullptr;
    void* m_pProgressUser = nullptr;
    CString m_strFolder;
};
