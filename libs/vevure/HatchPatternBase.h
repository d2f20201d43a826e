#pragma once
// The base of the document's own hatch patterns: line patterns (families of parallel lines) and shape
// patterns (a motif of shapes repeated along two directions). A pattern has an id given by the
// document's pattern table (0 before it is stored) and a name (1-256 characters).

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CArchive;

class HatchPatternBase : public CObject
{
    DECLARE_DYNAMIC(HatchPatternBase)
public:
    static constexpr int kMaxNameLength = 256;

    HatchPatternBase() = default;
    HatchPatternBase(const HatchPatternBase& src) = default;
    HatchPatternBase& operator=(const HatchPatternBase& src) = default;
    ~HatchPatternBase() override;

    long GetPatternID() const { return m_id; }
    void SetPatternID(long id) { m_id = id; }
    const CString& GetPatternName() const { return m_name; }
    // FALSE, name unchanged, for an empty or too long name.
    BOOL SetPatternName(const CString& name);

    // A new pattern of the same kind with the same id, name and content (the caller owns it).
    HatchPatternBase* Clone() const;
    // Copies id, name and content of a pattern of the same kind; FALSE for another kind.
    virtual BOOL Copy(const HatchPatternBase& src);
    // Same kind, name and content (the id is not compared).
    virtual BOOL IsEqual(const HatchPatternBase& other) const;
    virtual BOOL IsShapePattern() const { return FALSE; }
    // Name and content within their rules.
    virtual BOOL IsValidPattern() const;

    // Stores the name; the id belongs to the table that stores the pattern.
    void Serialize(CArchive& ar) override;

private:
    long m_id = 0;
    CString m_name;
};
