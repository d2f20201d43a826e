#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <functional>
#include <vector>

#include <QtCore/QTemporaryDir>

#include "ArchiveTestClasses.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTime.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const BYTE* p = file.GetBuffer();
    return Bytes(p, p + file.GetLength());
}

// Loads from a copy of the bytes; returns the cause of a CArchiveException, or -1 when loading succeeded.
// Any other exception fails the test.
int Load(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    Bytes copy = bytes;
    CMemFile file(copy.empty() ? nullptr : copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    try {
        read(ar);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    ar.Close();
    return -1;
}

Bytes Hex(std::initializer_list<int> values)
{
    Bytes b;
    for (int v : values)
        b.push_back(static_cast<BYTE>(v));
    return b;
}

// A graph with a derived class, a shared object, a back reference, a null reference and strings.
CNode* MakeGraph()
{
    CNode* root = new CNode;
    root->m_nValue = 1;
    root->m_strName = u"root ルート";
    CNode* a = root->Add(new CNode);
    a->m_nValue = 2;
    a->m_strName = u"a";
    CLeaf* leaf = static_cast<CLeaf*>(root->Add(new CLeaf));
    leaf->m_nValue = 3;
    leaf->m_dWeight = 2.5;
    leaf->m_strName = CString(_T('x'), 300);
    CNode* b = a->Add(new CNode);
    b->m_nValue = 4;
    root->m_pOther = leaf;  // shared with the owner list
    a->m_pOther = root;     // back reference to an object still being stored/loaded
    b->m_pOther = a;
    leaf->m_pOther = b;     // a reference across the tree
    return root;
}

void ExpectGraph(const CNode* root)
{
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->m_nValue, 1);
    EXPECT_EQ(root->m_strName, CString(u"root ルート"));
    ASSERT_EQ(root->m_children.size(), 2u);
    const CNode* a = root->m_children[0];
    const CNode* leafNode = root->m_children[1];
    ASSERT_TRUE(leafNode->IsKindOf(RUNTIME_CLASS(CLeaf)));
    const CLeaf* leaf = static_cast<const CLeaf*>(leafNode);
    EXPECT_EQ(leaf->m_nValue, 3);
    EXPECT_EQ(leaf->m_dWeight, 2.5);
    EXPECT_EQ(leaf->m_nLoadedSchema, 2u);
    EXPECT_EQ(leaf->m_strName.GetLength(), 300);
    EXPECT_FALSE(a->IsKindOf(RUNTIME_CLASS(CLeaf)));
    ASSERT_EQ(a->m_children.size(), 1u);
    const CNode* b = a->m_children[0];
    EXPECT_EQ(b->m_nValue, 4);
    // One object stored through several pointers loads as one object.
    EXPECT_EQ(root->m_pOther, leaf);
    EXPECT_EQ(b->m_pOther, a);
    EXPECT_EQ(a->m_pOther, root);
    EXPECT_EQ(leaf->m_pOther, b);
}

}  // namespace

TEST(Archive, ScalarsRoundTripAtTheirLimits)
{
    const Bytes bytes = Store([](CArchive& ar) {
        ar << true << false << 'z' << (BYTE)0xFF << u'ル' << (short)SHRT_MIN << (WORD)0xFFFF << (int)INT_MIN
           << (LONG)-7 << (UINT)UINT_MAX << (DWORD)0xDEADBEEF << (LONGLONG)LLONG_MIN << (ULONGLONG)ULLONG_MAX
           << FLT_MAX << -DBL_MIN << (long long)-2 << (unsigned long long)3;
    });
    EXPECT_EQ(bytes.size(), 1u + 1 + 1 + 1 + 2 + 2 + 2 + 4 + 4 + 4 + 4 + 8 + 8 + 4 + 8 + 8 + 8);
    const int result = Load(bytes, [](CArchive& ar) {
        bool t = false, f = true;
        char c = 0;
        BYTE by = 0;
        char16_t wc = 0;
        short s = 0;
        WORD w = 0;
        int i = 0;
        LONG l = 0;
        UINT u = 0;
        DWORD dw = 0;
        LONGLONG ll = 0;
        ULONGLONG ull = 0;
        float fl = 0;
        double d = 0;
        long long lx = 0;
        unsigned long long ulx = 0;
        ar >> t >> f >> c >> by >> wc >> s >> w >> i >> l >> u >> dw >> ll >> ull >> fl >> d >> lx >> ulx;
        EXPECT_TRUE(t);
        EXPECT_FALSE(f);
        EXPECT_EQ(c, 'z');
        EXPECT_EQ(by, 0xFF);
        EXPECT_EQ(wc, u'ル');
        EXPECT_EQ(s, SHRT_MIN);
        EXPECT_EQ(w, 0xFFFF);
        EXPECT_EQ(i, INT_MIN);
        EXPECT_EQ(l, -7);
        EXPECT_EQ(u, UINT_MAX);
        EXPECT_EQ(dw, 0xDEADBEEFu);
        EXPECT_EQ(ll, LLONG_MIN);
        EXPECT_EQ(ull, ULLONG_MAX);
        EXPECT_EQ(fl, FLT_MAX);
        EXPECT_EQ(d, -DBL_MIN);
        EXPECT_EQ(lx, -2);
        EXPECT_EQ(ulx, 3u);
    });
    EXPECT_EQ(result, -1);
}

TEST(Archive, ByteLayoutIsLittleEndianWithTheStringMarker)
{
    const Bytes bytes = Store([](CArchive& ar) { ar << (WORD)0x1234 << (DWORD)0x89ABCDEF << CString(u"Aé"); });
    EXPECT_EQ(bytes, Hex({0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0xE9, 0x00}));
}

TEST(Archive, StringLengthsEscalateAndRoundTrip)
{
    struct Case
    {
        int length;
        Bytes prefix;  // after the FF FE FF marker
    };
    const Case cases[] = {
        {0, Hex({0x00})},
        {254, Hex({0xFE})},
        {255, Hex({0xFF, 0xFF, 0x00})},
        {0xFFFD, Hex({0xFF, 0xFD, 0xFF})},
        {0xFFFE, Hex({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Hex({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CString s;
        for (int i = 0; i < c.length; ++i)
            s += static_cast<TCHAR>(u'a' + i % 26);
        const Bytes bytes = Store([&](CArchive& ar) { ar << s; });
        ASSERT_EQ(bytes.size(), 3 + c.prefix.size() + 2 * (size_t)c.length);
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin() + 3));
        CString loaded = _T("old");
        EXPECT_EQ(Load(bytes, [&](CArchive& ar) { ar >> loaded; }), -1);
        EXPECT_EQ(loaded, s);
    }
}

TEST(Archive, NarrowStringsOfOlderWritersLoad)
{
    struct Case
    {
        Bytes bytes;
        const char16_t* expected;
    };
    const Case cases[] = {
        {Hex({0x03, 'a', 'b', 'c'}), u"abc"},
        {Hex({0x02, 0xC3, 0xA9}), u"é"},  // UTF-8
        {Hex({0x01, 0xE9}), u"é"},        // not UTF-8: Latin-1
        {Hex({0xFF, 0x03, 0x00, 'x', 'y', 'z'}), u"xyz"},
    };
    for (const Case& c : cases) {
        CString s;
        EXPECT_EQ(Load(c.bytes, [&](CArchive& ar) { ar >> s; }), -1);
        EXPECT_EQ(s, CString(c.expected));
    }
}

TEST(Archive, CountsEscalateAndRoundTrip)
{
    const DWORD_PTR counts[] = {0, 1, 0xFFFE, 0xFFFF, 0x10000, 0xFFFFFFFE};
    for (DWORD_PTR n : counts) {
        SCOPED_TRACE(n);
        const Bytes bytes = Store([&](CArchive& ar) { ar.WriteCount(n); });
        EXPECT_EQ(bytes.size(), n < 0xFFFF ? 2u : 6u);
        // A count is only accepted when the file can still hold that many elements.
        Bytes padded = bytes;
        if (n <= 0x10000)
            padded.resize(bytes.size() + n);
        DWORD_PTR loaded = 0;
        const int result = Load(padded, [&](CArchive& ar) { loaded = ar.ReadCount(); });
        if (n <= 0x10000) {
            EXPECT_EQ(result, -1);
            EXPECT_EQ(loaded, n);
        } else {
            EXPECT_EQ(result, CArchiveException::endOfFile);
        }
    }
}

TEST(Archive, TextLinesRoundTrip)
{
    const Bytes bytes = Store([](CArchive& ar) {
        ar.WriteString(_T("first line\r\n"));
        ar.WriteString(_T("second\n"));
        ar.WriteString(_T("last"));
    });
    EXPECT_EQ(Load(bytes, [](CArchive& ar) {
                  CString line;
                  EXPECT_TRUE(ar.ReadString(line));
                  EXPECT_EQ(line, CString(_T("first line")));
                  TCHAR buf[5];
                  EXPECT_NE(ar.ReadString(buf, 5), nullptr);
                  EXPECT_EQ(CString(buf), CString(_T("seco")));
                  EXPECT_TRUE(ar.ReadString(line));
                  EXPECT_EQ(line, CString(_T("nd")));
                  EXPECT_TRUE(ar.ReadString(line));
                  EXPECT_EQ(line, CString(_T("last")));
                  EXPECT_FALSE(ar.ReadString(line));
                  EXPECT_EQ(ar.ReadString(buf, 5), nullptr);
              }),
              -1);
}

TEST(Archive, ObjectGraphRoundTrips)
{
    CNode* root = MakeGraph();
    const Bytes bytes = Store([&](CArchive& ar) { ar << root << root->m_children[1] << (CObject*)nullptr; });
    delete root;
    ASSERT_EQ(CNode::s_nLive, 0);

    CNode* loaded = nullptr;
    CLeaf* leafAgain = nullptr;
    CObject* none = &*loaded;  // set below
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) { ar >> loaded >> leafAgain >> none; }), -1);
    ExpectGraph(loaded);
    EXPECT_EQ(leafAgain, loaded->m_children[1]);  // a later reference to an object already loaded
    EXPECT_EQ(none, nullptr);
    delete loaded;
    EXPECT_EQ(CNode::s_nLive, 0);
}

TEST(Archive, ReferencesBeyondTheShortTagRange)
{
    // More than 0x7FFE objects: later references need the long tag.
    std::vector<CNode*> nodes;
    for (int i = 0; i < 0x8100; ++i) {
        nodes.push_back(new CNode);
        nodes.back()->m_nValue = i;
    }
    const Bytes bytes = Store([&](CArchive& ar) {
        for (CNode* p : nodes)
            ar << p;
        ar << nodes.back() << nodes[5];
    });
    for (CNode* p : nodes)
        delete p;
    std::vector<CNode*> loaded(nodes.size());
    CNode* last = nullptr;
    CNode* fifth = nullptr;
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) {
                  for (CNode*& p : loaded)
                      ar >> p;
                  ar >> last >> fifth;
              }),
              -1);
    EXPECT_EQ(last, loaded.back());
    EXPECT_EQ(fifth, loaded[5]);
    EXPECT_EQ(loaded.back()->m_nValue, 0x80FF);
    for (CNode* p : loaded)
        delete p;
    EXPECT_EQ(CNode::s_nLive, 0);
}

TEST(Archive, MappedObjectsResolveWithoutBeingStored)
{
    CNode document;
    CNode* child = new CNode;
    child->m_pOther = &document;
    const Bytes bytes = Store([&](CArchive& ar) {
        ar.MapObject(&document);
        ar << child;
    });
    delete child;
    CNode otherDocument;
    otherDocument.m_bExternal = true;
    CNode* loaded = nullptr;
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) {
                  ar.MapObject(&otherDocument);
                  ar >> loaded;
              }),
              -1);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_pOther, &otherDocument);
    delete loaded;
}

TEST(Archive, VersionableSchemaLoadsOlderDataAndOthersRefuseIt)
{
    // A CLeaf written by schema 1 (before the weight was added), then a CNode claiming schema 7.
    const Bytes oldLeaf = Hex({0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00, 'C', 'L', 'e', 'a', 'f',  // new class, schema 1
                               0x09, 0x00, 0x00, 0x00,                                          // m_nValue
                               0xFF, 0xFE, 0xFF, 0x00,                                          // m_strName
                               0x00, 0x00,                                                      // no children
                               0x00, 0x00});                                                    // m_pOther
    CNode* p = nullptr;
    EXPECT_EQ(Load(oldLeaf, [&](CArchive& ar) { ar >> p; }), -1);
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(p->IsKindOf(RUNTIME_CLASS(CLeaf)));
    EXPECT_EQ(p->m_nValue, 9);
    EXPECT_EQ(static_cast<CLeaf*>(p)->m_nLoadedSchema, 1u);
    EXPECT_EQ(static_cast<CLeaf*>(p)->m_dWeight, 0.0);
    delete p;

    Bytes wrongSchema = oldLeaf;
    wrongSchema[2] = 7;
    wrongSchema[4] = 5;
    std::memcpy(&wrongSchema[6], "CNode", 5);
    EXPECT_EQ(Load(wrongSchema, [&](CArchive& ar) { ar >> p; }), CArchiveException::badSchema);
    EXPECT_EQ(CNode::s_nLive, 0);
}

TEST(Archive, SerializeClassCarriesTheSchema)
{
    const Bytes bytes = Store([](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CLeaf));
        ar.SerializeClass(RUNTIME_CLASS(CLeaf));
    });
    EXPECT_EQ(bytes.size(), 2u + 4 + 5 + 2);  // new class with its name, then a class reference
    EXPECT_EQ(Load(bytes, [](CArchive& ar) {
                  ar.SerializeClass(RUNTIME_CLASS(CLeaf));
                  EXPECT_EQ(ar.GetObjectSchema(), 2u);
                  EXPECT_EQ(ar.GetObjectSchema(), (UINT)-1);
                  ar.SerializeClass(RUNTIME_CLASS(CNode));  // a base class accepts the derived one
                  EXPECT_EQ(ar.GetObjectSchema(), 2u);
              }),
              -1);
}

TEST(Archive, CorruptArchivesThrowTheirCause)
{
    CNode* single = new CNode;
    single->m_strName = u"n";
    const Bytes valid = Store([&](CArchive& ar) { ar << single; });
    delete single;
    auto patched = [&](size_t at, std::initializer_list<int> values) {
        Bytes b = valid;
        for (int v : values)
            b[at++] = static_cast<BYTE>(v);
        return b;
    };
    struct Case
    {
        const char* what;
        Bytes bytes;
        int cause;
    };
    const Case cases[] = {
        {"empty", Bytes(), CArchiveException::endOfFile},
        {"class index never defined", Hex({0x05, 0x80}), CArchiveException::badIndex},
        {"class index zero", Hex({0x00, 0x80}), CArchiveException::badIndex},
        {"object index never defined", Hex({0x03, 0x00}), CArchiveException::badIndex},
        {"big object index", Hex({0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00}), CArchiveException::badIndex},
        {"big class index", Hex({0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80}), CArchiveException::badIndex},
        {"unknown class", patched(6, {'X'}), CArchiveException::badClass},
        {"class name too long", patched(4, {0xC8, 0x00}), CArchiveException::badClass},
        {"class name longer than the file", patched(4, {0x20, 0x00}), CArchiveException::endOfFile},
        {"not serialisable class", Hex({0xFF, 0xFF, 0xFF, 0xFF, 0x0C, 0x00, 'C', 'P', 'l', 'a', 'i', 'n', 'O',
                                        'b', 'j', 'e', 'c', 't'}),
         CArchiveException::badClass},
        {"string longer than the file", patched(15, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
         CArchiveException::endOfFile},
        {"child count larger than the file", patched(valid.size() - 4, {0xFE, 0xFF}),
         CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CNode* p = nullptr;
        EXPECT_EQ(Load(c.bytes, [&](CArchive& ar) { ar >> p; }), c.cause);
        EXPECT_EQ(CNode::s_nLive, 0);
    }

    // An object of another class than the one asked for.
    CNode* node = new CNode;
    const Bytes nodeBytes = Store([&](CArchive& ar) { ar << node << node; });
    delete node;
    CLeaf* leaf = nullptr;
    EXPECT_EQ(Load(nodeBytes, [&](CArchive& ar) { ar >> leaf; }), CArchiveException::badClass);
    CNode* first = nullptr;
    EXPECT_EQ(Load(nodeBytes,
                   [&](CArchive& ar) {
                       ar >> first;
                       ar >> leaf;  // the reference to the CNode read before
                   }),
              CArchiveException::badClass);
    delete first;
    EXPECT_EQ(CNode::s_nLive, 0);
}

TEST(Archive, EveryPrefixOfAValidArchiveThrowsWithoutLeaking)
{
    CNode* root = MakeGraph();
    const Bytes bytes = Store([&](CArchive& ar) { ar << root << 1.5 << CString(u"end"); });
    delete root;
    for (size_t n = 0; n < bytes.size(); ++n) {
        SCOPED_TRACE(n);
        const Bytes prefix(bytes.begin(), bytes.begin() + n);
        CNode* loaded = nullptr;
        const int result = Load(prefix, [&](CArchive& ar) {
            ar >> loaded;
            double d;
            CString s;
            ar >> d >> s;
        });
        EXPECT_NE(result, -1);
        if (result == -1 || loaded != nullptr)
            delete loaded;
        ASSERT_EQ(CNode::s_nLive, 0);
    }
    CNode* loaded = nullptr;
    EXPECT_EQ(Load(bytes, [&](CArchive& ar) { ar >> loaded; }), -1);
    ExpectGraph(loaded);
    delete loaded;
}

TEST(Archive, EveryDamagedByteLoadsOrThrows)
{
    CNode* root = MakeGraph();
    root->m_children[1]->m_strName = u"short";
    const Bytes bytes = Store([&](CArchive& ar) { ar << root; });
    delete root;
    const BYTE masks[] = {0xFF, 0x80, 0x01};
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (BYTE mask : masks) {
            SCOPED_TRACE(at);
            Bytes damaged = bytes;
            damaged[at] ^= mask;
            CNode* loaded = nullptr;
            const int result = Load(damaged, [&](CArchive& ar) { ar >> loaded; });
            if (result == -1)
                delete loaded;
            ASSERT_EQ(CNode::s_nLive, 0);
        }
    }
}

TEST(Archive, WrongDirectionAndUnserialisableClassesAreRefused)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        int n = 0;
        try {
            ar >> n;
            ADD_FAILURE() << "read from a storing archive";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
            e->Delete();
        }
        CPlainObject plain;
        try {
            ar << &plain;
            ADD_FAILURE() << "stored a class that is not serialisable";
        } catch (CNotSupportedException* e) {
            e->Delete();
        }
    }
    CArchive ar(&file, CArchive::load);
    try {
        ar << 1;
        ADD_FAILURE() << "wrote to a loading archive";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
        e->Delete();
    }

    CArchive closed(&file, CArchive::store);
    closed.Close();
    EXPECT_EQ(closed.GetFile(), nullptr);
    try {
        closed << 1;
        ADD_FAILURE() << "wrote to a closed archive";
    } catch (CArchiveException* e) {
        e->Delete();
    }
}

TEST(Archive, ClosingALoadingArchiveLeavesTheFileWhereItStopped)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << 1 << 2 << 3;
    }  // the destructor flushes
    EXPECT_EQ(file.GetLength(), 12u);
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        int n = 0;
        ar >> n;
        EXPECT_EQ(n, 1);
        ar.Close();
    }
    EXPECT_EQ(file.GetPosition(), 4u);
    {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        int n = 0;
        ar >> n;
        EXPECT_EQ(n, 2);
    }
}

TEST(Archive, LargeDataCrossesTheBufferOnARealFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CString path = CString::FromQString(dir.filePath("drawing.bin"));
    std::vector<BYTE> block(10000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<BYTE>(i * 7);
    const CTime when(2024, 2, 29, 13, 14, 15);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store, 128);
        for (int i = 0; i < 1000; ++i)
            ar << i << CString(_T('q'), i % 40);
        ar.Write(block.data(), (UINT)block.size());
        ar << when << CTimeSpan(1, 2, 3, 4);
        ar.Close();
        file.Close();
    }
    CFile file(path, CFile::modeRead);
    CArchive ar(&file, CArchive::load, 128);
    for (int i = 0; i < 1000; ++i) {
        int n = -1;
        CString s;
        ar >> n >> s;
        ASSERT_EQ(n, i);
        ASSERT_EQ(s.GetLength(), i % 40);
    }
    std::vector<BYTE> back(block.size());
    EXPECT_EQ(ar.Read(back.data(), (UINT)back.size()), back.size());
    EXPECT_EQ(back, block);
    CTime t;
    CTimeSpan span;
    ar >> t >> span;
    EXPECT_EQ(t, when);
    EXPECT_EQ(span, CTimeSpan(1, 2, 3, 4));
    BYTE extra = 0;
    EXPECT_EQ(ar.Read(&extra, 1), 0u);
    try {
        ar >> extra;
        ADD_FAILURE() << "read past the end";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        EXPECT_EQ(e->m_strFileName, path);
        e->Delete();
    }
}
