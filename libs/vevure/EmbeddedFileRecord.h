#pragma once
// The file that an object shape (type 90) holds in its item bytes: whether the file itself is kept
// (embedded) or only named (linked), its file name, its MIME type, a PNG preview, and the file's bytes or
// the link's path. A small versioned record of ours. The reader checks every length against the bytes
// there are and refuses the whole record on any fault, so a damaged record is shown as damaged while its
// bytes stay in the shape as they were.

#include <vector>

#include "platform/afx/CString.h"
#include "platform/afx/AfxTypes.h"

class EmbeddedFileRecord
{
public:
    static constexpr WORD kVersion = 1;
    // Limits that keep a hostile record from asking for absurd amounts.
    static constexpr size_t kMaxTextBytes = 4096;
    static constexpr size_t kMaxPreviewBytes = (size_t)64 * 1024 * 1024;
    static constexpr size_t kMaxDataBytes = (size_t)512 * 1024 * 1024;

    BOOL m_bLink = FALSE;
    CString m_strFileName;   // as the user's file was named; see GetSafeFileName before writing it
    CString m_strMimeType;
    std::vector<BYTE> m_preview;  // PNG, may be empty
    std::vector<BYTE> m_data;     // the file's bytes (embedded)
    CString m_strLinkPath;        // the file's absolute path (linked)

    // Whether the bytes start as one of our records (of any version).
    static BOOL IsRecord(const BYTE* pData, size_t nSize);
    // Reads a record; FALSE, leaving this unchanged, when the bytes are not a complete, sound record of a
    // known version (a length beyond the bytes, bytes after the record, text that is not UTF-8 ...).
    BOOL Read(const BYTE* pData, size_t nSize);
    BOOL Read(const std::vector<BYTE>& bytes) { return Read(bytes.data(), bytes.size()); }
    // The record's bytes; empty when a part is over its limit.
    std::vector<BYTE> Write() const;

    // The stored name made a plain file name: only its last path component, control characters and
    // "..", leading dots and spaces removed, at most 200 characters (keeping the extension); "embedded"
    // when nothing is left.
    static CString MakeSafeFileName(const CString& strName);
    CString GetSafeFileName() const { return MakeSafeFileName(m_strFileName); }
};
