// The docking library's registry object over the settings store.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/afx/CByteArray.h"
#include "platform/afx/CDWordArray.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CSize.h"
#include "platform/afx/CStringArray.h"
#include "platform/afx/CStringList.h"
#include "platform/afx/CUIntArray.h"
#include "platform/afx/CWordArray.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/win/Registry.h"

namespace {

const TCHAR* const kPath = u"Software\\Korvan\\BcgTest\\Settings\\";

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    CBCGPRegistrySP sp;
    sp.Create(FALSE, FALSE).DeleteKey(u"Software\\Korvan\\BcgTest");
  }
};

// A small serialisable object: a name and a number.
class CNamedNumber : public CObject {
  DECLARE_SERIAL(CNamedNumber)
public:
  CString m_name;
  int m_value = 0;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_name << m_value;
    else
      ar >> m_name >> m_value;
  }
};
IMPLEMENT_SERIAL(CNamedNumber, CObject, 1)

TEST_F(RegistryTest, EveryValueTypeReadsBackAsWrittenAfterReopening) {
  {
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(kPath));
    EXPECT_TRUE(reg.Write(u"Int", -42));
    EXPECT_TRUE(reg.Write(u"Dword", DWORD(0xFFFFFFF0u)));
    EXPECT_TRUE(reg.Write(u"Double", 3.25e-7));
    EXPECT_TRUE(reg.Write(u"Text", u"Layer \"A\"\nsecond line"));
    EXPECT_TRUE(reg.Write(u"Empty", u""));
    CStringList list;
    list.AddTail(u"one");
    list.AddTail(u"");
    list.AddTail(u"three");
    EXPECT_TRUE(reg.Write(u"List", list));
    CStringArray arr;
    arr.Add(u"x");
    arr.Add(u"y");
    EXPECT_TRUE(reg.Write(u"Array", arr));
    CByteArray bytes;
    for (int i = 0; i < 300; ++i) bytes.Add(static_cast<BYTE>(i * 7));
    EXPECT_TRUE(reg.Write(u"Bytes", bytes));
    CDWordArray dw;
    dw.Add(1);
    dw.Add(0xDEADBEEF);
    EXPECT_TRUE(reg.Write(u"Dwords", dw));
    CWordArray w;
    w.Add(7);
    EXPECT_TRUE(reg.Write(u"Words", w));
    CUIntArray ui;
    ui.Add(59600);
    EXPECT_TRUE(reg.Write(u"Uints", ui));
    EXPECT_TRUE(reg.Write(u"Rect", CRect(-5, 10, 300, 200)));
    EXPECT_TRUE(reg.Write(u"Point", CPoint(-1, 2)));
    EXPECT_TRUE(reg.Write(u"Size", CSize(640, 480)));
    BYTE raw[3] = {1, 0, 255};
    EXPECT_TRUE(reg.Write(u"Raw", raw, 3));
    CNamedNumber obj;
    obj.m_name = u"grid";
    obj.m_value = 12;
    EXPECT_TRUE(reg.Write(u"Object", obj));
    EXPECT_TRUE(reg.Write(u"Dynamic", static_cast<CObject*>(&obj)));
  }
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, TRUE);
  ASSERT_TRUE(reg.Open(kPath));
  int i = 0;
  DWORD dw = 0;
  double d = 0;
  CString s, e(u"not empty");
  EXPECT_TRUE(reg.Read(u"Int", i));
  EXPECT_EQ(i, -42);
  EXPECT_TRUE(reg.Read(u"Dword", dw));
  EXPECT_EQ(dw, 0xFFFFFFF0u);
  EXPECT_TRUE(reg.Read(u"Double", d));
  EXPECT_EQ(d, 3.25e-7);
  EXPECT_TRUE(reg.Read(u"Text", s));
  EXPECT_EQ(s, CString(u"Layer \"A\"\nsecond line"));
  EXPECT_TRUE(reg.Read(u"Empty", e));
  EXPECT_TRUE(e.IsEmpty());
  CStringList list;
  list.AddTail(u"stale");
  ASSERT_TRUE(reg.Read(u"List", list));
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetHead(), CString(u"one"));
  EXPECT_EQ(list.GetTail(), CString(u"three"));
  CStringArray arr;
  ASSERT_TRUE(reg.Read(u"Array", arr));
  ASSERT_EQ(arr.GetSize(), 2);
  EXPECT_EQ(arr[1], CString(u"y"));
  CByteArray bytes;
  ASSERT_TRUE(reg.Read(u"Bytes", bytes));
  ASSERT_EQ(bytes.GetSize(), 300);
  EXPECT_EQ(bytes[299], static_cast<BYTE>(299 * 7));
  CDWordArray dws;
  ASSERT_TRUE(reg.Read(u"Dwords", dws));
  ASSERT_EQ(dws.GetSize(), 2);
  EXPECT_EQ(dws[1], 0xDEADBEEFu);
  CWordArray ws;
  ASSERT_TRUE(reg.Read(u"Words", ws));
  EXPECT_EQ(ws[0], 7);
  CUIntArray uis;
  ASSERT_TRUE(reg.Read(u"Uints", uis));
  EXPECT_EQ(uis[0], 59600u);
  CRect r;
  ASSERT_TRUE(reg.Read(u"Rect", r));
  EXPECT_EQ(r, CRect(-5, 10, 300, 200));
  CPoint pt;
  ASSERT_TRUE(reg.Read(u"Point", pt));
  EXPECT_EQ(pt, CPoint(-1, 2));
  CSize sz;
  ASSERT_TRUE(reg.Read(u"Size", sz));
  EXPECT_EQ(sz, CSize(640, 480));
  BYTE* raw = nullptr;
  UINT n = 0;
  ASSERT_TRUE(reg.Read(u"Raw", &raw, &n));
  ASSERT_EQ(n, 3u);
  EXPECT_EQ(raw[2], 255);
  delete[] raw;
  CNamedNumber obj;
  ASSERT_TRUE(reg.Read(u"Object", obj));
  EXPECT_EQ(obj.m_name, CString(u"grid"));
  EXPECT_EQ(obj.m_value, 12);
  CObject* dyn = nullptr;
  ASSERT_TRUE(reg.Read(u"Dynamic", dyn));
  ASSERT_NE(dyn, nullptr);
  ASSERT_TRUE(dyn->IsKindOf(RUNTIME_CLASS(CNamedNumber)));
  EXPECT_EQ(static_cast<CNamedNumber*>(dyn)->m_value, 12);
  delete dyn;

  CStringArray names;
  ASSERT_TRUE(reg.ReadKeyValues(names));
  EXPECT_EQ(names.GetSize(), 17);
}

TEST_F(RegistryTest, WrongTypesMissingValuesAndDamagedBytesFailAndLeaveTargetsAlone) {
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
  ASSERT_TRUE(reg.CreateKey(kPath));
  ASSERT_TRUE(reg.Write(u"Text", u"abc"));
  BYTE junk[5] = {0xFF, 0xFF, 0xFF, 0x7F, 1};  // a huge element count with one byte behind it
  ASSERT_TRUE(reg.Write(u"Junk", junk, 5));
  ASSERT_TRUE(reg.Write(u"Number", 5));

  int i = 99;
  EXPECT_FALSE(reg.Read(u"Text", i));
  EXPECT_FALSE(reg.Read(u"Missing", i));
  EXPECT_EQ(i, 99);
  double d = 1.5;
  EXPECT_FALSE(reg.Read(u"Number", d));
  EXPECT_FALSE(reg.Read(u"Junk", d));  // 5 bytes are no double
  EXPECT_EQ(d, 1.5);
  CStringList list;
  list.AddTail(u"kept");
  EXPECT_FALSE(reg.Read(u"Junk", list));
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetHead(), CString(u"kept"));
  CDWordArray dws;
  dws.Add(3);
  EXPECT_FALSE(reg.Read(u"Junk", dws));
  EXPECT_EQ(dws.GetSize(), 1);
  CRect r(1, 2, 3, 4);
  EXPECT_FALSE(reg.Read(u"Junk", r));
  EXPECT_EQ(r, CRect(1, 2, 3, 4));
  CObject* obj = reinterpret_cast<CObject*>(1);
  EXPECT_FALSE(reg.Read(u"Junk", obj));
  EXPECT_EQ(obj, nullptr);
  CString s(u"kept");
  EXPECT_FALSE(reg.Read(u"Number", s));
  EXPECT_EQ(s, CString(u"kept"));
}

TEST_F(RegistryTest, ReadOnlyObjectsNeverChangeTheStoreAndKeysAreDeletedWithTheirTree) {
  {
    CBCGPRegistrySP sp;
    CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(u"Software\\Korvan\\BcgTest\\Settings\\ToolBar-59392"));
    ASSERT_TRUE(reg.Write(u"Visible", 1));
  }
  CBCGPRegistrySP sp;
  CBCGPRegistry& ro = sp.Create(FALSE, TRUE);
  EXPECT_FALSE(ro.CreateKey(u"Software\\Korvan\\BcgTest\\Other"));
  EXPECT_FALSE(ro.VerifyKey(u"Software\\Korvan\\BcgTest\\Other"));
  ASSERT_TRUE(ro.Open(kPath));
  EXPECT_FALSE(ro.Write(u"Visible", 0));
  EXPECT_FALSE(ro.DeleteKey(kPath));
  CStringArray subs;
  ASSERT_TRUE(ro.ReadSubKeys(subs));
  ASSERT_EQ(subs.GetSize(), 1);
  EXPECT_EQ(subs[0], CString(u"ToolBar-59392"));

  CBCGPRegistrySP sp2;
  CBCGPRegistry& rw = sp2.Create(FALSE, FALSE);
  ASSERT_TRUE(rw.Open(kPath));
  EXPECT_TRUE(rw.DeleteKey(kPath));
  EXPECT_FALSE(rw.IsOpen());
  EXPECT_FALSE(rw.VerifyKey(u"Software\\Korvan\\BcgTest\\Settings\\ToolBar-59392"));
  EXPECT_FALSE(rw.Open(kPath));
  // The machine-wide store cannot be written through the registry object.
  CBCGPRegistrySP sp3;
  EXPECT_FALSE(sp3.Create(TRUE, FALSE).CreateKey(u"Software\\Korvan\\BcgTest"));
}

}  // namespace
