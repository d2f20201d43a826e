// The stored layout of the toolbar combo button base.
#include <gtest/gtest.h>

#include "controls/CQZ2ToolbarComboBoxButton.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"

namespace {

std::vector<BYTE> Store(CQZ2ToolbarComboBoxButton& button)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        button.Serialize(ar);
    }
    const auto size = static_cast<size_t>(file.GetLength());
    std::vector<BYTE> bytes(size);
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(size));
    return bytes;
}

void Load(CQZ2ToolbarComboBoxButton& button, std::vector<BYTE> bytes)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    button.Serialize(ar);
}

TEST(ToolbarComboButton, TheStoredWidthComesBackVersionTwoKeepsTheConstructedOne)
{
    CQZ2ToolbarComboBoxButton stored(34646, -1, 0x213, 155);
    const std::vector<BYTE> bytes = Store(stored);
    ASSERT_GE(bytes.size(), 6u);
    // The version word and the width close the record.
    const size_t at = bytes.size() - 6;
    EXPECT_EQ(bytes[at], 1);
    EXPECT_EQ(bytes[at + 1], 0);
    EXPECT_EQ(bytes[at + 2], 155);

    CQZ2ToolbarComboBoxButton loaded(34646, -1, 0x213, 80);
    Load(loaded, bytes);
    EXPECT_EQ(loaded.GetWidth(), 155);
    EXPECT_EQ(loaded.Rect().Width(), 155);

    std::vector<BYTE> version2 = bytes;
    version2[at] = 2;
    CQZ2ToolbarComboBoxButton kept(34646, -1, 0x213, 80);
    Load(kept, version2);
    EXPECT_EQ(kept.GetWidth(), 80);
}

TEST(ToolbarComboButton, ATruncatedRecordThrowsTheArchiveException)
{
    CQZ2ToolbarComboBoxButton stored(34647, -1, 0x213, 135);
    std::vector<BYTE> bytes = Store(stored);
    bytes.resize(bytes.size() - 3);
    CQZ2ToolbarComboBoxButton loaded(34647, -1, 0x213, 80);
    EXPECT_THROW(
        {
            try {
                Load(loaded, bytes);
            } catch (CArchiveException* e) {
                e->Delete();
                throw std::runtime_error("archive");
            }
        },
        std::runtime_error);
}

}  // namespace
