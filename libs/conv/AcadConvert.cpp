#include "libs/conv/AcadConvert.h"

#include <QtCore/QFileInfo>

#include <cstdio>
#include <istream>
#include <set>
#include <string>
#include <vector>

#include <dxflib/dl_dxf.h>

#include "libs/conv/ACadConvSetting.h"
#include "libs/conv/DwgConverter.h"
#include "libs/conv/DxfDocumentBuilder.h"
#include "libs/conv/DxfTokenizer.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FileTool.h"
#include "platform/afx/CFile.h"

namespace {

// dxflib's handlers read the group from members that only its stream reader fills, so each checked group
// is handed over as a stream of exactly one group. Values are cut to what its line buffer takes.
class OneGroupBuffer : public std::streambuf
{
public:
    static constexpr size_t kMaxValue = 1000;

    void Set(int nCode, const std::string& value)
    {
        m_text = std::to_string(nCode);
        m_text += '\n';
        if (value.size() <= kMaxValue) {
            m_text += value;
        } else {
            // Cut at a character boundary of UTF-8 and of double-byte code pages alike is not possible in
            // general; texts this long are rare and only lose their tail.
            m_text.append(value, 0, kMaxValue);
        }
        m_text += '\n';
        setg(m_text.data(), m_text.data(), m_text.data() + m_text.size());
    }

private:
    std::string m_text;
};

// Objects that the data model cannot hold; they are counted so the user hears how many were left out.
bool IsLeftOutKind(const std::string& kind)
{
    static const std::set<std::string> kinds = {
        "3DSOLID", "BODY", "REGION", "MESH", "ACAD_PROXY_ENTITY", "ACAD_TABLE", "MULTILEADER", "MLEADER",
        "WIPEOUT", "OLE2FRAME", "OLEFRAME", "3DFACE", "POLYFACE", "SURFACE", "PLANESURFACE", "EXTRUDEDSURFACE",
        "LOFTEDSURFACE", "REVOLVEDSURFACE", "SWEPTSURFACE", "HELIX", "UNDERLAY", "PDFUNDERLAY", "DWFUNDERLAY",
        "DGNUNDERLAY", "TOLERANCE", "MLINE", "SHAPE", "ARCALIGNEDTEXT"};
    return kinds.count(kind) != 0;
}

// The block definitions of the first BLOCKS section, counted up to one more than the limit. Only the
// sections up to its end are read; whatever the file holds wrong is left to the reading proper.
long CountBlockDefinitions(const char* pData, size_t nSize)
{
    DxfTokenizer tokenizer(pData, nSize);
    int code = 0;
    std::string value;
    long n = 0;
    bool inBlocks = false, expectKind = false;
    while (tokenizer.Next(code, value) > 0) {
        if (code == 0) {
            if (inBlocks && value == "BLOCK" && ++n > DxfDocumentBuilder::kMaxBlocks)
                break;
            if (inBlocks && value == "ENDSEC")
                break;
            expectKind = value == "SECTION";
        } else if (code == 2 && expectKind) {
            inBlocks = value == "BLOCKS";
            expectKind = false;
        }
    }
    return n;
}

}  // namespace

BOOL AcadConvert::Progress(int nKind, int nPosition)
{
    if (m_pfnProgress == nullptr)
        return TRUE;
    NotifyProgressInfo info;
    info.m_nKind = nKind;
    info.m_nDisplayType = 2;
    info.m_nRangeMin = 0;
    info.m_nRangeMax = 100;
    info.m_nPosition = nPosition;
    return m_pfnProgress(&info, m_pProgressUser) != 0;
}

int AcadConvert::ReadFile(LPCTSTR lpszPath, Draw2dDocument* pDocument, ACadConvSetting* pSetting)
{
    m_nLeftOut = 0;
    if (lpszPath == nullptr || pDocument == nullptr)
        return resultUnreadable;
    const CString path = lpszPath;
    const CString title = FileTool::SplitFileName(path, FileTool::splitName);
    // Images that the drawing names by a relative path lie beside it.
    m_strFolder = CString::FromQString(QFileInfo(path.ToQString()).absolutePath());
    CString ext = FileTool::SplitFileName(path, FileTool::splitExtension);
    ext.MakeLower();
    std::string data;
    if (ext == _T(".dwg")) {
        // The outside converter turns it into DXF, which is then read like any other.
        DwgConverter converter;
        converter.SetNotifyProgressFunction(m_pfnProgress, m_pProgressUser);
        const int r = converter.ConvertToDxf(path, data);
        if (r != 0)
            return r;
    } else {
        const std::string native = CFile::NativePath(path);
        FILE* fp = std::fopen(native.c_str(), "rb");
        if (fp == nullptr)
            return resultUnreadable;
        if (std::fseek(fp, 0, SEEK_END) != 0) {
            std::fclose(fp);
            return resultUnreadable;
        }
        const long long size = std::ftell(fp);
        if (size < 0) {
            std::fclose(fp);
            return resultUnreadable;
        }
        if (size > kMaxFileSize) {
            std::fclose(fp);
            return resultBeyondLimits;
        }
        std::rewind(fp);
        try {
            data.resize(static_cast<size_t>(size));
        } catch (const std::bad_alloc&) {
            std::fclose(fp);
            return resultBeyondLimits;
        }
        const size_t got = size > 0 ? std::fread(data.data(), 1, data.size(), fp) : 0;
        const bool bad = std::ferror(fp) != 0 || got != data.size();
        std::fclose(fp);
        if (bad)
            return resultUnreadable;
    }
    return ReadDxfData(data.data(), data.size(), title, pDocument, pSetting);
}

int AcadConvert::ReadDxfData(const char* pData, size_t nSize, const CString& strTitle, Draw2dDocument* pDocument,
                             ACadConvSetting* pSetting)
{
    m_nLeftOut = 0;
    if (pDocument == nullptr)
        return resultUnreadable;
    if (pSetting != nullptr)
        pSetting->InitDxfToKcOptions();
    DxfTokenizer tokenizer(pData, nSize);
    DxfDocumentBuilder builder(pDocument, pSetting);
    builder.SetFileTitle(strTitle);
    builder.SetFileFolder(m_strFolder);
    auto dxf = std::make_unique<DL_Dxf>();
    OneGroupBuffer buffer;
    std::istream stream(&buffer);

    auto fail = [&](int nCode) {
        Progress(NotifyProgressInfo::kindEnd, 0);
        pDocument->InitDocument();
        return nCode;
    };
    if (!Progress(NotifyProgressInfo::kindBegin, 0))
        return fail(resultCancelled);
    // Too many block definitions are refused before the first is made, in time and memory of a plain read.
    if (CountBlockDefinitions(pData, nSize) > DxfDocumentBuilder::kMaxBlocks)
        return fail(resultBeyondLimits);

    int code = 0;
    std::string value;
    bool sawSection = false, sawEof = false, expectKind = false, inEntities = false;
    int lastPercent = 0;
    pDocument->BeginUndoOperation();
    for (;;) {
        const int r = tokenizer.Next(code, value);
        if (r < 0) {
            pDocument->EndUndoOperation();
            return fail(r);
        }
        if (r == 0)
            break;
        if (sawEof)
            continue;  // whatever follows the end is not read
        if (code == 0) {
            if (value == "SECTION")
                sawSection = true;
            else if (value == "EOF")
                sawEof = true;
            else if (value == "ENDSEC")
                inEntities = false;
            else if (inEntities && IsLeftOutKind(value))
                builder.AddLeftOut();
            expectKind = value == "SECTION";
        } else if (code == 2 && expectKind) {
            inEntities = value == "ENTITIES" || value == "BLOCKS";
            expectKind = false;
        }
        if (!sawSection && tokenizer.GetGroupCount() > 64) {
            pDocument->EndUndoOperation();
            return fail(resultNotDxf);
        }
        builder.ObserveGroup(code, value);
        buffer.Set(code, value);
        stream.clear();
        dxf->readDxfGroups(stream, &builder);
        if (builder.GetError() != 0) {
            pDocument->EndUndoOperation();
            return fail(builder.GetError());
        }
        if ((tokenizer.GetGroupCount() & 0x3FF) == 0 && nSize > 0) {
            const int percent = static_cast<int>(tokenizer.GetOffset() * 100 / nSize);
            if (percent != lastPercent || m_pfnProgress != nullptr) {
                lastPercent = percent;
                if (!Progress(NotifyProgressInfo::kindStep, percent)) {
                    pDocument->EndUndoOperation();
                    return fail(resultCancelled);
                }
            }
        }
    }
    if (!sawSection) {
        pDocument->EndUndoOperation();
        return fail(resultNotDxf);
    }
    if (!sawEof) {
        pDocument->EndUndoOperation();
        return fail(resultDamaged);
    }
    const int finish = builder.Finish();
    pDocument->EndUndoOperation();
    if (finish != 0)
        return fail(finish);
    pDocument->ClearUndoRedoHistory();
    m_nLeftOut = builder.GetLeftOutCount();
    Progress(NotifyProgressInfo::kindEnd, 100);
    return static_cast<int>(std::min<long>(builder.GetShapeCount(), 0x7FFFFFFF));
}
