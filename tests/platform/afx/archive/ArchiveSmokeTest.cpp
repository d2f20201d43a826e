#include <gtest/gtest.h>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

namespace {
class CSmoke : public CObject
{
    DECLARE_SERIAL(CSmoke)
public:
    int m_n = 0;
    CSmoke* m_pNext = nullptr;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_n << m_pNext;
        else
            ar >> m_n >> m_pNext;
    }
};
IMPLEMENT_SERIAL(CSmoke, CObject, 1)
}  // namespace

TEST(ArchiveSmoke, RoundTrip)
{
    CMemFile f;
    CSmoke a;
    a.m_n = 5;
    a.m_pNext = &a;
    {
        CArchive ar(&f, CArchive::store);
        ar << CString(u"héllo") << &a;
        ar.Close();
    }
    f.SeekToBegin();
    CArchive ar(&f, CArchive::load);
    CString s;
    CSmoke* p = nullptr;
    ar >> s >> p;
    EXPECT_EQ(s, CString(u"héllo"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_n, 5);
    EXPECT_EQ(p->m_pNext, p);
    delete p;
}
