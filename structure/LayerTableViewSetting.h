#pragma once
// The layer table view's state that outlives a run: how the layer list is shown, what the preview
// pane shows and the widths of the list's columns.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CDWordArray.h"

class CArchive;

class LayerTableViewSetting
{
public:
    // More columns than the list can ever have: a stored count above this is damage.
    static constexpr DWORD kMaxColumnCount = 256;

    LayerTableViewSetting();
    LayerTableViewSetting(const LayerTableViewSetting& src);
    LayerTableViewSetting& operator=(const LayerTableViewSetting& src);
    virtual ~LayerTableViewSetting();

    // Storing writes the list mode, the preview option, the column count and the widths, 32 bits
    // each. Loading reads the same; a list mode other than 0-2 becomes 0, a preview option other
    // than 1-2 becomes 2. A count beyond kMaxColumnCount or past the data throws
    // CArchiveException.
    virtual void Serialize(CArchive& ar);

    int GetListMode() const { return m_nListMode; }
    void SetListMode(int nMode) { m_nListMode = nMode; }
    int GetPreviewOption() const { return m_nPreviewOption; }
    void SetPreviewOption(int nOption) { m_nPreviewOption = nOption; }
    const CDWordArray& GetColumnWidths() const { return m_columnWidths; }
    void SetColumnWidths(const CDWordArray& widths);

    bool operator==(const LayerTableViewSetting& other) const;

private:
    int m_nListMode = 0;
    int m_nPreviewOption = 2;
    CDWordArray m_columnWidths;
};
