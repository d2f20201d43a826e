#include "libs/conv/Part21Reader.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/ole/CodePageText.h"

namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// A lead byte of a Shift-JIS double-byte character: its second byte belongs to it whatever it is.
bool IsShiftJisLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

void AppendCodePoint(std::u16string& out, uint32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

}  // namespace

Part21Reader::Part21Reader(const char* pData, size_t nSize) : m_pData(pData), m_nSize(pData != nullptr ? nSize : 0)
{
}

bool Part21Reader::Fail(int nCode, int nLine, const std::string& what)
{
    if (m_nFailure == 0) {
        m_nFailure = nCode;
        m_detail = CString::FromUtf8("line " + std::to_string(nLine) + ": " + what);
    }
    return false;
}

const char* Part21Reader::Describe(TokenKind kind)
{
    switch (kind) {
    case tokOpen: return "'('";
    case tokClose: return "')'";
    case tokComma: return "','";
    case tokSemicolon: return "';'";
    case tokEquals: return "'='";
    case tokKeyword: return "a keyword";
    case tokInstance: return "an instance name";
    default: return "a value";
    }
}

bool Part21Reader::SkipSpaceAndComments()
{
    for (;;) {
        while (m_nPos < m_nSize) {
            const char c = m_pData[m_nPos];
            if (c == '\n')
                ++m_nLine;
            else if (c != ' ' && c != '\r' && c != '\t' && c != '\f' && c != '\v')
                break;
            ++m_nPos;
        }
        if (m_nPos + 1 < m_nSize && m_pData[m_nPos] == '/' && m_pData[m_nPos + 1] == '*') {
            const int line = m_nLine;
            const size_t start = m_nPos + 2;
            size_t p = start;
            while (p + 1 < m_nSize && !(m_pData[p] == '*' && m_pData[p + 1] == '/')) {
                if (m_pData[p] == '\n')
                    ++m_nLine;
                ++p;
            }
            if (p + 1 >= m_nSize)
                return Fail(resultDamaged, line, "comment not closed");
            if (m_bKeepComments && m_commentHandler) {
                const int r = m_commentHandler(Comment{line, std::string(m_pData + start, p - start)});
                if (r != 0) {
                    if (m_nFailure == 0)
                        m_nFailure = r;
                    return false;
                }
            } else if (m_bKeepComments) {
                if (m_comments.size() >= kMaxComments)
                    return Fail(resultBeyondLimits, line, "too many comments");
                m_comments.push_back(Comment{line, std::string(m_pData + start, p - start)});
            }
            m_nPos = p + 2;
            continue;
        }
        return true;
    }
}

bool Part21Reader::ReadString(Token& token)
{
    // At the opening quote.
    const int line = m_nLine;
    ++m_nPos;
    std::u16string out;
    std::string raw;  // a run of raw bytes above 0x7F, decoded as Shift-JIS when it ends
    size_t decoded = 0;
    UINT page = 0;  // 0: ISO 8859-1, else the code page \P?\ chose
    auto flushRaw = [&]() {
        if (raw.empty())
            return;
        const CString s = CodePageText::Decode(reinterpret_cast<const BYTE*>(raw.data()), raw.size(), 932);
        out += s.str();
        raw.clear();
    };
    auto bad = [&](const char* what) { return Fail(resultDamaged, m_nLine, what); };
    while (true) {
        if (m_nPos >= m_nSize)
            return Fail(resultDamaged, line, "string not closed");
        const unsigned char c = static_cast<unsigned char>(m_pData[m_nPos]);
        if (c != '\'' && ++decoded > kMaxStringSize)
            return Fail(resultBeyondLimits, line, "string too long");
        if (c >= 0x80) {
            raw.push_back(static_cast<char>(c));
            ++m_nPos;
            if (IsShiftJisLead(c) && m_nPos < m_nSize) {
                raw.push_back(m_pData[m_nPos]);
                ++m_nPos;
            }
            continue;
        }
        flushRaw();
        if (c == '\'') {
            if (m_nPos + 1 < m_nSize && m_pData[m_nPos + 1] == '\'') {
                out.push_back(u'\'');
                m_nPos += 2;
                continue;
            }
            ++m_nPos;
            break;
        }
        if (c == '\n' || c == '\r') {
            // Lines may break inside a string; the break is not part of it.
            if (c == '\n')
                ++m_nLine;
            ++m_nPos;
            continue;
        }
        if (c != '\\') {
            if (c < 0x20)
                return bad("control character in a string");
            out.push_back(static_cast<char16_t>(c));
            ++m_nPos;
            continue;
        }
        // Escapes.
        const char* p = m_pData + m_nPos;
        const size_t left = m_nSize - m_nPos;
        if (left >= 2 && p[1] == '\\') {
            out.push_back(u'\\');
            m_nPos += 2;
        } else if (left >= 4 && p[1] == 'S' && p[2] == '\\') {
            const unsigned char ch = static_cast<unsigned char>(p[3]);
            if (ch < 0x20 || ch > 0x7E)
                return bad("bad escape \\S\\");
            const unsigned char high = static_cast<unsigned char>(ch + 0x80);
            if (page == 0) {
                out.push_back(static_cast<char16_t>(high));
            } else {
                const CString s = CodePageText::Decode(&high, 1, page);
                out += s.str();
            }
            m_nPos += 4;
        } else if (left >= 4 && p[1] == 'P' && p[3] == '\\') {
            if (p[2] < 'A' || p[2] > 'I')
                return bad("bad escape \\P\\");
            page = p[2] == 'A' ? 0 : static_cast<UINT>(28591 + (p[2] - 'A'));
            if (page != 0 && !CodePageText::IsSupported(page))
                page = 0;
            m_nPos += 4;
        } else if (left >= 5 && p[1] == 'X' && p[2] == '\\') {
            const int h = HexValue(p[3]), l = HexValue(p[4]);
            if (h < 0 || l < 0)
                return bad("bad escape \\X\\");
            out.push_back(static_cast<char16_t>(h * 16 + l));
            m_nPos += 5;
        } else if (left >= 4 && p[1] == 'X' && (p[2] == '2' || p[2] == '4') && p[3] == '\\') {
            const size_t width = p[2] == '2' ? 4 : 8;
            size_t q = m_nPos + 4;
            while (true) {
                if (q + 4 <= m_nSize && std::memcmp(m_pData + q, "\\X0\\", 4) == 0) {
                    q += 4;
                    break;
                }
                if (q + width > m_nSize)
                    return bad(width == 4 ? "bad escape \\X2\\" : "bad escape \\X4\\");
                uint32_t cp = 0;
                for (size_t i = 0; i < width; ++i) {
                    const int v = HexValue(m_pData[q + i]);
                    if (v < 0)
                        return bad(width == 4 ? "bad escape \\X2\\" : "bad escape \\X4\\");
                    cp = cp * 16 + static_cast<uint32_t>(v);
                }
                if (cp > 0x10FFFF)
                    return bad("bad escape \\X4\\");
                if (width == 4)
                    out.push_back(static_cast<char16_t>(cp));
                else
                    AppendCodePoint(out, cp);
                q += width;
                if ((decoded += width) > kMaxStringSize)
                    return Fail(resultBeyondLimits, line, "string too long");
            }
            m_nPos = q;
        } else {
            return bad("bad escape in a string");
        }
    }
    flushRaw();
    token.kind = tokString;
    token.text = CString(std::move(out));
    return true;
}

Part21Reader::Token Part21Reader::Peek()
{
    if (!m_bHasPeek) {
        m_peek = Next();
        m_bHasPeek = true;
    }
    return m_peek;
}

Part21Reader::Token Part21Reader::Next()
{
    if (m_bHasPeek) {
        m_bHasPeek = false;
        return m_peek;
    }
    Token t;
    if (m_nFailure != 0 || !SkipSpaceAndComments()) {
        t.kind = tokError;
        return t;
    }
    t.line = m_nLine;
    if (m_nPos >= m_nSize) {
        t.kind = tokEnd;
        return t;
    }
    const char c = m_pData[m_nPos];
    auto scan = [&](auto pred) {
        const size_t start = m_nPos;
        while (m_nPos < m_nSize && pred(m_pData[m_nPos]))
            ++m_nPos;
        if (m_nPos - start > kMaxTokenLength) {
            Fail(resultBeyondLimits, t.line, "token too long");
            return false;
        }
        t.raw.assign(m_pData + start, m_nPos - start);
        return true;
    };
    switch (c) {
    case '(': ++m_nPos; t.kind = tokOpen; return t;
    case ')': ++m_nPos; t.kind = tokClose; return t;
    case ',': ++m_nPos; t.kind = tokComma; return t;
    case ';': ++m_nPos; t.kind = tokSemicolon; return t;
    case '=': ++m_nPos; t.kind = tokEquals; return t;
    case '$': ++m_nPos; t.kind = tokDollar; return t;
    case '*': ++m_nPos; t.kind = tokStar; return t;
    case '\'':
        if (!ReadString(t))
            t.kind = tokError;
        return t;
    case '#':
        ++m_nPos;
        if (!scan(IsDigit) || t.raw.empty()) {
            Fail(resultDamaged, t.line, "instance name expected after '#'");
            t.kind = tokError;
            return t;
        }
        t.kind = tokInstance;
        return t;
    case '.': {
        ++m_nPos;
        if (!scan([](char ch) { return IsLetter(ch) || IsDigit(ch); }))
            return t.kind = tokError, t;
        if (t.raw.empty() || m_nPos >= m_nSize || m_pData[m_nPos] != '.') {
            Fail(resultDamaged, t.line, "bad enumeration");
            t.kind = tokError;
            return t;
        }
        ++m_nPos;
        t.kind = tokEnum;
        return t;
    }
    case '"': {
        ++m_nPos;
        if (!scan([](char ch) { return HexValue(ch) >= 0; }))
            return t.kind = tokError, t;
        if (m_nPos >= m_nSize || m_pData[m_nPos] != '"') {
            Fail(resultDamaged, t.line, "bad binary value");
            t.kind = tokError;
            return t;
        }
        ++m_nPos;
        t.kind = tokBinary;
        return t;
    }
    default:
        break;
    }
    if (IsDigit(c) || c == '+' || c == '-') {
        const size_t start = m_nPos;
        if (c == '+' || c == '-')
            ++m_nPos;
        bool real = false;
        while (m_nPos < m_nSize && IsDigit(m_pData[m_nPos]))
            ++m_nPos;
        if (m_nPos == start + (c == '+' || c == '-' ? 1 : 0)) {
            Fail(resultDamaged, t.line, "number expected");
            t.kind = tokError;
            return t;
        }
        if (m_nPos < m_nSize && m_pData[m_nPos] == '.') {
            real = true;
            ++m_nPos;
            while (m_nPos < m_nSize && IsDigit(m_pData[m_nPos]))
                ++m_nPos;
        }
        if (m_nPos < m_nSize && (m_pData[m_nPos] == 'E' || m_pData[m_nPos] == 'e')) {
            real = true;
            ++m_nPos;
            if (m_nPos < m_nSize && (m_pData[m_nPos] == '+' || m_pData[m_nPos] == '-'))
                ++m_nPos;
            const size_t digits = m_nPos;
            while (m_nPos < m_nSize && IsDigit(m_pData[m_nPos]))
                ++m_nPos;
            if (m_nPos == digits) {
                Fail(resultDamaged, t.line, "bad number");
                t.kind = tokError;
                return t;
            }
        }
        if (m_nPos - start > kMaxTokenLength) {
            Fail(resultBeyondLimits, t.line, "token too long");
            t.kind = tokError;
            return t;
        }
        t.raw.assign(m_pData + start, m_nPos - start);
        t.kind = real ? tokReal : tokInteger;
        return t;
    }
    if (IsLetter(c) || c == '!') {
        const size_t start = m_nPos;
        ++m_nPos;
        while (m_nPos < m_nSize && (IsLetter(m_pData[m_nPos]) || IsDigit(m_pData[m_nPos]) || m_pData[m_nPos] == '-'))
            ++m_nPos;
        if (m_nPos - start > kMaxTokenLength) {
            Fail(resultBeyondLimits, t.line, "token too long");
            t.kind = tokError;
            return t;
        }
        t.raw.assign(m_pData + start, m_nPos - start);
        t.kind = tokKeyword;
        return t;
    }
    Fail(resultDamaged, t.line, std::string("unexpected character '") +
                                    (std::isprint(static_cast<unsigned char>(c)) ? std::string(1, c) : std::string("?")) +
                                    "'");
    t.kind = tokError;
    return t;
}

bool Part21Reader::Expect(TokenKind kind, const char* what, const std::string& owner)
{
    const Token t = Next();
    if (t.kind == tokError)
        return false;
    if (t.kind != kind)
        return Fail(resultDamaged, t.line, std::string(what) + " expected" + (owner.empty() ? "" : " in " + owner));
    return true;
}

bool Part21Reader::ReadValue(const Token& first, Value& value, int nDepth, const std::string& owner)
{
    switch (first.kind) {
    case tokDollar: value.kind = Value::kindOmitted; return true;
    case tokStar: value.kind = Value::kindDerived; return true;
    case tokInteger: {
        value.kind = Value::kindInteger;
        errno = 0;
        const long long v = std::strtoll(first.raw.c_str(), nullptr, 10);
        if (errno == ERANGE)
            return Fail(resultBeyondLimits, first.line, "number out of range in " + owner);
        value.integer = v;
        value.real = static_cast<double>(v);
        return true;
    }
    case tokReal: {
        value.kind = Value::kindReal;
        const double v = std::strtod(first.raw.c_str(), nullptr);
        if (!std::isfinite(v))
            return Fail(resultBeyondLimits, first.line, "number out of range in " + owner);
        value.real = v;
        return true;
    }
    case tokString: value.kind = Value::kindString; value.text = first.text; return true;
    case tokEnum: value.kind = Value::kindEnum; value.name = Upper(first.raw); return true;
    case tokBinary: value.kind = Value::kindBinary; value.name = first.raw; return true;
    case tokInstance: {
        value.kind = Value::kindReference;
        errno = 0;
        value.integer = std::strtoll(first.raw.c_str(), nullptr, 10);
        if (errno == ERANGE || first.raw.size() > 18)
            return Fail(resultBeyondLimits, first.line, "instance name out of range in " + owner);
        return true;
    }
    case tokOpen:
        value.kind = Value::kindList;
        return ReadParams(value.items, nDepth + 1, owner);
    case tokKeyword:
        value.kind = Value::kindTyped;
        value.name = Upper(first.raw);
        if (!Expect(tokOpen, "'('", owner))
            return false;
        return ReadParams(value.items, nDepth + 1, owner);
    case tokError: return false;
    default: return Fail(resultDamaged, first.line, "value expected in " + owner);
    }
}

bool Part21Reader::ReadParams(std::vector<Value>& params, int nDepth, const std::string& owner)
{
    // After '(': values separated by ',' up to ')'.
    if (nDepth > kMaxNesting)
        return Fail(resultBeyondLimits, m_nLine, "lists nested too deep in " + owner);
    Token t = Next();
    if (t.kind == tokClose)
        return true;
    while (true) {
        if (t.kind == tokError)
            return false;
        if (t.kind == tokEnd)
            return Fail(resultDamaged, t.line, "')' expected in " + owner);
        params.emplace_back();
        if (!ReadValue(t, params.back(), nDepth, owner))
            return false;
        t = Next();
        if (t.kind == tokClose)
            return true;
        if (t.kind == tokError)
            return false;
        if (t.kind != tokComma)
            return Fail(resultDamaged, t.line, "')' expected in " + owner);
        t = Next();
    }
}

bool Part21Reader::ReadInstanceBody(Instance& instance, const Token& idToken, bool bOptionalSemicolon)
{
    errno = 0;
    instance.id = std::strtoll(idToken.raw.c_str(), nullptr, 10);
    if (errno == ERANGE || idToken.raw.size() > 18)
        return Fail(resultBeyondLimits, idToken.line, "instance name out of range");
    instance.line = idToken.line;
    const std::string owner = "#" + idToken.raw;
    if (!Expect(tokEquals, "'='", owner))
        return false;
    Token t = Next();
    if (t.kind == tokKeyword) {
        instance.name = Upper(t.raw);
        if (!Expect(tokOpen, "'('", owner) || !ReadParams(instance.params, 1, owner))
            return false;
    } else if (t.kind == tokOpen) {
        // A complex instance: a list of typed parts.
        t = Next();
        if (t.kind != tokKeyword)
            return t.kind == tokError ? false : Fail(resultDamaged, t.line, "entity name expected in " + owner);
        while (t.kind == tokKeyword) {
            Value part;
            if (!ReadValue(t, part, 1, owner))
                return false;
            instance.params.push_back(std::move(part));
            t = Next();
        }
        if (t.kind != tokClose)
            return t.kind == tokError ? false : Fail(resultDamaged, t.line, "')' expected in " + owner);
    } else {
        return t.kind == tokError ? false : Fail(resultDamaged, t.line, "entity name expected in " + owner);
    }
    t = Peek();
    if (t.kind == tokSemicolon) {
        Next();
        return true;
    }
    if (t.kind == tokError)
        return false;
    if (bOptionalSemicolon && t.kind == tokEnd)
        return true;
    return Fail(resultDamaged, t.line, "';' expected after " + owner);
}

int Part21Reader::Parse()
{
    m_header.clear();
    m_instances.clear();
    m_comments.clear();
    m_index.clear();
    // The first keyword tells whether this is an exchange structure at all.
    Token t = Next();
    if (t.kind != tokKeyword || Upper(t.raw) != "ISO-10303-21") {
        m_nFailure = 0;
        Fail(resultNotPart21, t.line == 0 ? 1 : t.line, "not an ISO 10303-21 file");
        return m_nFailure;
    }
    if (!Expect(tokSemicolon, "';'", "ISO-10303-21"))
        return m_nFailure;
    t = Next();
    if (t.kind != tokKeyword || Upper(t.raw) != "HEADER") {
        if (t.kind != tokError)
            Fail(resultDamaged, t.line, "HEADER expected");
        return m_nFailure;
    }
    if (!Expect(tokSemicolon, "';'", "HEADER"))
        return m_nFailure;
    // Header entities up to ENDSEC.
    while (true) {
        t = Next();
        if (t.kind == tokError)
            return m_nFailure;
        if (t.kind != tokKeyword) {
            Fail(resultDamaged, t.line, "ENDSEC; expected");
            return m_nFailure;
        }
        const std::string name = Upper(t.raw);
        if (name == "ENDSEC") {
            if (!Expect(tokSemicolon, "';'", "ENDSEC"))
                return m_nFailure;
            break;
        }
        Instance h;
        h.name = name;
        h.line = t.line;
        if (!Expect(tokOpen, "'('", name) || !ReadParams(h.params, 1, name) || !Expect(tokSemicolon, "';'", name))
            return m_nFailure;
        if (m_header.size() >= 1000) {
            Fail(resultBeyondLimits, t.line, "too many header entities");
            return m_nFailure;
        }
        m_header.push_back(std::move(h));
    }
    // Data sections up to the end of the file.
    while (true) {
        t = Next();
        if (t.kind == tokError)
            return m_nFailure;
        const std::string name = t.kind == tokKeyword ? Upper(t.raw) : std::string();
        if (name == "END-ISO-10303-21") {
            if (!Expect(tokSemicolon, "';'", "END-ISO-10303-21"))
                return m_nFailure;
            break;
        }
        if (name != "DATA") {
            Fail(resultDamaged, t.line, t.kind == tokEnd ? "END-ISO-10303-21; expected" : "DATA expected");
            return m_nFailure;
        }
        Token after = Next();
        if (after.kind == tokOpen) {
            std::vector<Value> params;
            if (!ReadParams(params, 1, "DATA"))
                return m_nFailure;
            after = Next();
        }
        if (after.kind != tokSemicolon) {
            if (after.kind != tokError)
                Fail(resultDamaged, after.line, "';' expected after DATA");
            return m_nFailure;
        }
        m_bKeepComments = true;
        while (true) {
            t = Next();
            if (t.kind == tokError)
                return m_nFailure;
            if (t.kind == tokKeyword && Upper(t.raw) == "ENDSEC") {
                m_bKeepComments = false;
                if (!Expect(tokSemicolon, "';'", "ENDSEC"))
                    return m_nFailure;
                break;
            }
            if (t.kind != tokInstance) {
                Fail(resultDamaged, t.line, t.kind == tokEnd ? "ENDSEC; expected" : "instance expected");
                return m_nFailure;
            }
            if (m_instances.size() >= kMaxInstances) {
                Fail(resultBeyondLimits, t.line, "too many instances");
                return m_nFailure;
            }
            Instance instance;
            if (!ReadInstanceBody(instance, t, false))
                return m_nFailure;
            if (!m_index.emplace(instance.id, m_instances.size()).second) {
                Fail(resultDamaged, instance.line, "#" + std::to_string(instance.id) + " defined twice");
                return m_nFailure;
            }
            m_instances.push_back(std::move(instance));
        }
    }
    // Nothing but space and comments may follow.
    m_bKeepComments = false;
    t = Next();
    if (t.kind == tokError)
        return m_nFailure;
    if (t.kind != tokEnd) {
        Fail(resultDamaged, t.line, "text after END-ISO-10303-21;");
        return m_nFailure;
    }
    if (!CheckReferences())
        return m_nFailure;
    return 0;
}

const Part21Reader::Instance* Part21Reader::Find(int64_t id) const
{
    auto it = m_index.find(id);
    return it == m_index.end() ? nullptr : &m_instances[it->second];
}

bool Part21Reader::CheckReferences()
{
    // Every reference must name an instance; following references may not lead back (an iterative
    // depth-first walk, so a long chain cannot exhaust the stack).
    std::vector<std::vector<size_t>> edges(m_instances.size());
    for (size_t i = 0; i < m_instances.size(); ++i) {
        std::vector<const Value*> stack;
        for (const Value& v : m_instances[i].params)
            stack.push_back(&v);
        while (!stack.empty()) {
            const Value* v = stack.back();
            stack.pop_back();
            if (v->kind == Value::kindReference) {
                auto it = m_index.find(v->integer);
                if (it == m_index.end())
                    return Fail(resultDamaged, m_instances[i].line,
                                "#" + std::to_string(v->integer) + " referenced in #" +
                                    std::to_string(m_instances[i].id) + " does not exist");
                edges[i].push_back(it->second);
            }
            for (const Value& item : v->items)
                stack.push_back(&item);
        }
    }
    std::vector<unsigned char> state(m_instances.size(), 0);  // 0 new, 1 on the path, 2 done
    for (size_t root = 0; root < m_instances.size(); ++root) {
        if (state[root] != 0)
            continue;
        std::vector<std::pair<size_t, size_t>> path{{root, 0}};
        state[root] = 1;
        while (!path.empty()) {
            auto& [node, next] = path.back();
            if (next < edges[node].size()) {
                const size_t to = edges[node][next++];
                if (state[to] == 1)
                    return Fail(resultDamaged, m_instances[to].line,
                                "reference cycle through #" + std::to_string(m_instances[to].id));
                if (state[to] == 0) {
                    state[to] = 1;
                    path.emplace_back(to, 0);
                }
            } else {
                state[node] = 2;
                path.pop_back();
            }
        }
    }
    return true;
}

int Part21Reader::ParseInstanceText(const std::string& text, int nFirstLine, Instance& instance, CString& detail)
{
    Part21Reader reader(text.data(), text.size());
    reader.m_nLine = nFirstLine;
    Token t = reader.Next();
    if (t.kind != tokInstance) {
        if (t.kind != tokError)
            reader.Fail(resultDamaged, t.line, "instance expected");
    } else if (reader.ReadInstanceBody(instance, t, true)) {
        t = reader.Next();
        if (t.kind != tokEnd && t.kind != tokError)
            reader.Fail(resultDamaged, t.line, "text after #" + std::to_string(instance.id));
    }
    detail = reader.m_detail;
    return reader.m_nFailure;
}
