#pragma once
// The font-family chooser of the text, dimension and annotation pages: an owner-drawn combo of the font
// families installed here, in the interface language's collation order, each row drawn in its own face
// after the font icon. A symbol font shows its name in the control's font, with a sample of its glyphs
// while the list is open. A name that no installed family has (a drawing made elsewhere) is remembered
// and shown as "*name" in the user-interface font until another family is chosen.

#include <vector>

#include "platform/afx/CString.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CImageList.h"

namespace Gdiplus {
class FontFamily;
}

class CQZ2FontComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CQZ2FontComboBox)
public:
    // The sample drawn after a symbol font's name while the list is open.
    static constexpr const char16_t* kSymbolSample = u"AbCdEfGhIj";

    CQZ2FontComboBox();
    ~CQZ2FontComboBox() override;

    // Refills the list with the installed families (two families are never listed).
    void FillFontList();
    // The family of the selected row and its index; with no selection the remembered name and -1.
    int GetFontName(CString& strName) const;
    // Remembers the name and selects the family of that name (exact, case-sensitive); the index, or -1
    // when none has it: then nothing stays selected and the field shows the remembered name.
    int SelectFontName(const CString& strName);
    const CString& GetRememberedName() const { return m_strRememberedName; }
    // The family of a row, null for none.
    const Gdiplus::FontFamily* GetFamily(int nIndex) const;
    // Whether a family draws its name in the control's font and offers a glyph sample instead.
    static BOOL IsSymbolFont(const Gdiplus::FontFamily& family);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void ReleaseFamilies();
    CString FamilyName(const Gdiplus::FontFamily* pFamily) const;

    // One per listed family; the rows' item data point into it, so it is filled before any row is added.
    std::vector<Gdiplus::FontFamily> m_families;
    CImageList m_images;
    CString m_strRememberedName;
};
