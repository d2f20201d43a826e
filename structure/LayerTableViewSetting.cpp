#include "structure/LayerTableViewSetting.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"

LayerTableViewSetting::LayerTableViewSetting() = default;

LayerTableViewSetting::LayerTableViewSetting(const LayerTableViewSetting& src)
    : m_nListMode(src.m_nListMode), m_nPreviewOption(src.m_nPreviewOption)
{
    m_columnWidths.Copy(src.m_columnWidths);
}

LayerTableViewSetting& LayerTableViewSetting::operator=(const LayerTableViewSetting& src)
{
    if (this != &src) {
        m_nListMode = src.m_nListMode;
        m_nPreviewOption = src.m_nPreviewOption;
        m_columnWidths.Copy(src.m_columnWidths);
    }
    return *this;
}

LayerTableViewSetting::~LayerTableViewSetting() = default;

void LayerTableViewSetting::SetColumnWidths(const CDWordArray& widths)
{
    m_columnWidths.Copy(widths);
}

bool LayerTableViewSetting::operator==(const LayerTableViewSetting& other) const
{
    if (m_nListMode != other.m_nListMode || m_nPreviewOption != other.m_nPreviewOption ||
        m_columnWidths.GetSize() != other.m_columnWidths.GetSize())
        return false;
    for (INT_PTR i = 0; i < m_columnWidths.GetSize(); ++i)
        if (m_columnWidths[i] != other.m_columnWidths[i])
            return false;
    return true;
}

void LayerTableViewSetting::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nListMode);
        ar << static_cast<DWORD>(m_nPreviewOption);
        ar << static_cast<DWORD>(m_columnWidths.GetSize());
        for (INT_PTR i = 0; i < m_columnWidths.GetSize(); ++i)
            ar << m_columnWidths[i];
        return;
    }
    DWORD listMode = 0;
    DWORD previewOption = 0;
    DWORD count = 0;
    ar >> listMode >> previewOption >> count;
    if (count > kMaxColumnCount)
        AfxThrowArchiveException(CArchiveException::badIndex, nullptr);
    CDWordArray widths;
    widths.SetSize(static_cast<INT_PTR>(count));
    for (DWORD i = 0; i < count; ++i) {
        DWORD width = 0;
        ar >> width;
        widths[static_cast<INT_PTR>(i)] = width;
    }
    // Nothing changes until the whole state has been read.
    const int mode = static_cast<int>(listMode);
    const int option = static_cast<int>(previewOption);
    m_nListMode = (mode >= 0 && mode <= 2) ? mode : 0;
    m_nPreviewOption = (option == 1 || option == 2) ? option : 2;
    m_columnWidths.Copy(widths);
}
