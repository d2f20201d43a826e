// Accelerator tables read from resource text keep each key as written: function keys named by
// number are not mistaken for the letters that share their codes.

#include <gtest/gtest.h>

#include "platform/win/WinAccelerator.h"
#include "platform/win/WinConstants.h"

#include <QtCore/QString>

#include <vector>

namespace {

std::vector<ACCEL> Load(const char16_t* text) {
  HACCEL table = AfxLoadAcceleratorsFromText(text);
  std::vector<ACCEL> entries;
  if (!table) return entries;
  entries.resize(CopyAcceleratorTable(table, nullptr, 0));
  CopyAcceleratorTable(table, entries.data(), static_cast<int>(entries.size()));
  DestroyAcceleratorTable(table);
  return entries;
}

TEST(AcceleratorText, KeysKeepTheirCodes) {
  struct Case {
    const char16_t* text;
    WORD key;
    BYTE flags;
  };
  const Case cases[] = {
      {u"VK_F1, 100, VIRTKEY", VK_F1, FVIRTKEY},
      {u"VK_F5, 100, VIRTKEY", VK_F5, FVIRTKEY},
      {u"VK_F11, 100, VIRTKEY, SHIFT", VK_F11, FVIRTKEY | FSHIFT},
      {u"\"z\", 100, VIRTKEY, CONTROL", 'Z', FVIRTKEY | FCONTROL},
      {u"\"p\", 100, VIRTKEY", 'P', FVIRTKEY},
      {u"\"^C\", 100", 'C', FVIRTKEY | FCONTROL},
      {u"\"a\", 100", 'a', 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QString::fromStdU16String(c.text).toStdString());
    const std::vector<ACCEL> entries = Load(c.text);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].key, c.key);
    EXPECT_EQ(entries[0].fVirt, c.flags);
    EXPECT_EQ(entries[0].cmd, 100);
  }
}

}  // namespace
