#pragma once
// Reads an exchange structure of ISO 10303-21 held in memory: the header entities, the instances of the
// data sections with their parameters, and the comments found in the data sections (where feature-comment
// files carry their features). Everything is checked while it is read: the length of every token, the size
// of every string, the number of instances and the nesting of lists are bounded; references must name an
// instance of the file and may not run in a cycle; escapes in strings must be well formed; the sections
// and the file must be closed. A failure tells the line and what was wrong (GetDetail).
//
// Strings are decoded to this program's text: '' and \\, \S\ with the code page chosen by \P?\, \X\hh,
// \X2\...\X0\ (UCS-2) and \X4\...\X0\ (UCS-4), and, as many writers do, raw Shift-JIS bytes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/afx/CString.h"

class Part21Reader
{
public:
    enum Result { resultNotPart21 = -2, resultDamaged = -3, resultBeyondLimits = -4 };
    static constexpr size_t kMaxTokenLength = 64 * 1024;
    static constexpr size_t kMaxStringSize = 1024 * 1024;
    static constexpr int kMaxNesting = 64;
    static constexpr size_t kMaxInstances = 20000000;
    static constexpr size_t kMaxComments = 20000000;

    struct Value {
        enum Kind { kindOmitted, kindDerived, kindInteger, kindReal, kindString, kindEnum, kindReference, kindBinary,
                    kindList, kindTyped };
        Kind kind = kindOmitted;
        int64_t integer = 0;   // integer, reference
        double real = 0;       // real (and integer, for convenience)
        std::string name;      // enumeration, typed parameter's type, binary digits
        CString text;          // string
        std::vector<Value> items;  // list, typed parameter

        bool IsNumber() const { return kind == kindInteger || kind == kindReal; }
    };
    struct Instance {
        int64_t id = 0;
        std::string name;  // upper case; empty for a complex instance (its parts are typed values)
        std::vector<Value> params;
        int line = 0;
    };
    struct Comment {
        int line = 0;       // the line of "/*"
        std::string text;   // between "/*" and "*/"
    };

    // The data must outlive the reader.
    Part21Reader(const char* pData, size_t nSize);

    // 0, or a failure code with its detail.
    int Parse();
    const CString& GetDetail() const { return m_detail; }

    const std::vector<Instance>& GetHeader() const { return m_header; }
    const std::vector<Instance>& GetInstances() const { return m_instances; }
    // Comments of the data sections, in file order (none are kept while a comment handler is set).
    const std::vector<Comment>& GetComments() const { return m_comments; }
    // Hands each comment of the data sections to the handler as it is read instead of keeping it; a
    // nonzero answer stops the reading with that code (the handler's detail is kept: SetDetail).
    void SetCommentHandler(std::function<int(const Comment&)> handler) { m_commentHandler = std::move(handler); }
    void SetDetail(const CString& detail) { m_detail = detail; }
    // The instance with that number, or nullptr.
    const Instance* Find(int64_t id) const;
    // How far the reading has come (bytes), for progress.
    size_t GetOffset() const { return m_nPos; }

    // One instance written as "#id = NAME(params)" with an optional ";" (the form of a feature comment),
    // read from text whose first line is nFirstLine of the file. 0 or a failure code with its detail.
    static int ParseInstanceText(const std::string& text, int nFirstLine, Instance& instance, CString& detail);

private:
    enum TokenKind { tokEnd, tokKeyword, tokInstance, tokInteger, tokReal, tokString, tokEnum, tokBinary, tokOpen,
                     tokClose, tokComma, tokSemicolon, tokEquals, tokDollar, tokStar, tokError };
    struct Token {
        TokenKind kind = tokEnd;
        std::string raw;  // keyword, enumeration, digits
        CString text;     // decoded string
        int line = 0;
    };

    // The next token, comments skipped (and kept while m_bKeepComments).
    Token Next();
    Token Peek();
    bool SkipSpaceAndComments();
    bool ReadString(Token& token);
    bool ReadInstanceBody(Instance& instance, const Token& idToken, bool bOptionalSemicolon);
    bool ReadParams(std::vector<Value>& params, int nDepth, const std::string& owner);
    bool ReadValue(const Token& first, Value& value, int nDepth, const std::string& owner);
    bool Fail(int nCode, int nLine, const std::string& what);
    bool Expect(TokenKind kind, const char* what, const std::string& owner);
    bool CheckReferences();
    static const char* Describe(TokenKind kind);

    const char* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
    int m_nLine = 1;
    bool m_bKeepComments = false;
    bool m_bHasPeek = false;
    Token m_peek;
    int m_nFailure = 0;
    CString m_detail;

    std::vector<Instance> m_header;
    std::vector<Instance> m_instances;
    std::vector<Comment> m_comments;
    std::function<int(const Comment&)> m_commentHandler;
    std::unordered_map<int64_t, size_t> m_index;
};
