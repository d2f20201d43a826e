#pragma once
// Reads the groups (code, value) of a DXF file held in memory, text or binary, and checks each one before
// anything else sees it: a code line must be a whole number of a known range, a value that must be a
// number must parse as a finite one, value lines are at most kMaxValueLength bytes, and the counts that
// announce arrays (polyline vertices, spline knots and points, leader vertices, hatch loops and edges) must
// be positive and no larger than the rest of the file could fill. Vertex groups of a light polyline must
// follow its count, and a bulge must follow a vertex. Binary values are handed on as text, so the caller
// sees one form.

#include <cstddef>
#include <string>

class DxfTokenizer
{
public:
    // Results of Next besides 1 (a group) and 0 (the end of the data).
    enum Code { codeNotDxf = -2, codeDamaged = -3, codeBeyondLimits = -4 };
    static constexpr size_t kMaxValueLength = 64 * 1024;
    static constexpr int kMaxGroupCode = 1071;

    // The data must outlive the tokenizer.
    DxfTokenizer(const char* pData, size_t nSize);

    bool IsBinary() const { return m_bBinary; }
    // 1 with the next group, 0 at the end of the data, or a negative code. After a failure every call
    // answers the same failure.
    int Next(int& nCode, std::string& value);
    size_t GetOffset() const { return m_nPos; }
    size_t GetSize() const { return m_nSize; }
    // The number of groups handed out so far.
    size_t GetGroupCount() const { return m_nGroups; }

    // What kind of value a group code carries.
    enum ValueKind { kindString, kindDouble, kindInt16, kindInt32, kindInt64, kindByte, kindBinary };
    static ValueKind GetValueKind(int nCode);

private:
    int ReadText(int& nCode, std::string& value);
    int ReadBinary(int& nCode, std::string& value);
    // Checks what the code and value mean in the entity being read.
    int CheckGroup(int nCode, const std::string& value);
    int CheckCount(const std::string& value);
    bool ReadLine(const char*& pBegin, size_t& nLength);
    int Fail(int nCode)
    {
        m_nFailure = nCode;
        return nCode;
    }

    const char* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
    size_t m_nGroups = 0;
    bool m_bBinary = false;
    bool m_bOneByteCodes = false;
    int m_nFailure = 0;
    // The entity being read (the value of the last group 0) and what the light-polyline rules need.
    std::string m_entity;
    bool m_bPolylineCount = false;
    bool m_bPolylineVertex = false;
};
