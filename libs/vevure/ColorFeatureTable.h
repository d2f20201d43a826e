#pragma once
// A document's colour table: 256 numbered colours. Numbers 1-16 are fixed; 17-256 are the user's and
// can be changed. Number 0 stands for the layer's colour and has no entry.

#include <vector>

#include "libs/vevure/ColorFeature.h"
#include "platform/afx/AfxTypes.h"

class CArchive;
class CString;

class ColorFeatureTable
{
public:
    static constexpr short kColorCount = 256;
    static constexpr short kFixedColorCount = 16;

    // An empty table; InitializeColors fills it with the standard colours.
    ColorFeatureTable() = default;
    ColorFeatureTable(const ColorFeatureTable& src) = default;
    ColorFeatureTable& operator=(const ColorFeatureTable& src) = default;
    virtual ~ColorFeatureTable();

    void InitializeColors();

    int GetColorSize() const { return static_cast<int>(m_colors.size()); }
    // The colour of a number, NULL for 0 (by layer) and for numbers not in the table.
    const ColorFeature* GetColor(short no) const;
    // The RGB value of a number; black for a number not in the table.
    COLORREF GetColorRef(short no) const;
    // The name of a number; empty for a number not in the table.
    CString GetColorName(short no) const;
    // Changes a user colour (17-256); FALSE for the fixed colours and numbers outside the table.
    BOOL SetColor(short no, COLORREF rgb);
    BOOL SetColor(short no, COLORREF rgb, const CString& name);
    // The lowest number whose RGB value equals rgb; -1 when none.
    short FindColorNumberByRef(COLORREF rgb) const;

    bool operator==(const ColorFeatureTable& other) const { return m_colors == other.m_colors; }
    bool operator!=(const ColorFeatureTable& other) const { return !(*this == other); }

    // Loading checks the count (at most 256) and the numbering (1 upwards) and throws
    // CArchiveException otherwise; the table then stays unchanged.
    void Serialize(CArchive& ar);

private:
    std::vector<ColorFeature> m_colors;  // number n at index n - 1
};
