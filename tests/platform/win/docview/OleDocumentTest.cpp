// The OLE document layer: its items are stored with the document and refused when damaged.

#include <gtest/gtest.h>

#include <QtCore/QByteArray>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"
#include "platform/win/COleServerDoc.h"

namespace {

class CNoteItem : public CObject {
  DECLARE_SERIAL(CNoteItem)
public:
  CString m_text;
  static int s_live;
  CNoteItem() { ++s_live; }
  ~CNoteItem() override { --s_live; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_text;
    else
      ar >> m_text;
  }
};
IMPLEMENT_SERIAL(CNoteItem, CObject, 1)
int CNoteItem::s_live = 0;

class CServerDoc : public COleServerDoc {
public:
  CServerDoc() { m_bAutoDelete = FALSE; }
};

QByteArray Store(COleDocument& doc) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    doc.Serialize(ar);
    ar.Close();
  }
  const ULONGLONG n = file.GetLength();
  QByteArray bytes(static_cast<int>(n), '\0');
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(n));
  return bytes;
}

void Load(COleDocument& doc, const QByteArray& bytes) {
  CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  doc.Serialize(ar);
  ar.Close();
}

TEST(OleDocumentTest, ItemsRoundTripAndADocumentWithoutItemsStoresOnlyTheCount) {
  {
    CServerDoc empty;
    EXPECT_EQ(Store(empty), QByteArray(4, '\0'));
    EXPECT_FALSE(empty.IsEmbedded());
    EXPECT_EQ(empty.GetEmbeddedItem(), nullptr);

    CServerDoc doc;
    doc.EnableCompoundFile();
    EXPECT_TRUE(doc.IsCompoundFileEnabled());
    for (const char16_t* t : {u"first", u"second"}) {
      auto* item = new CNoteItem;
      item->m_text = t;
      doc.AddItem(item);
    }
    const QByteArray bytes = Store(doc);
    CServerDoc copy;
    Load(copy, bytes);
    ASSERT_EQ(copy.GetItemCount(), 2);
    POSITION pos = copy.GetStartPosition();
    EXPECT_EQ(static_cast<CNoteItem*>(copy.GetNextItem(pos))->m_text, CString(u"first"));
    EXPECT_EQ(static_cast<CNoteItem*>(copy.GetNextItem(pos))->m_text, CString(u"second"));
    copy.DeleteContents();
    EXPECT_EQ(copy.GetItemCount(), 0);
  }
  EXPECT_EQ(CNoteItem::s_live, 0);
}

TEST(OleDocumentTest, AnImpossibleItemCountIsDamageNotAnAllocation) {
  CServerDoc doc;
  const QByteArray huge("\xff\xff\xff\x7f", 4);
  try {
    Load(doc, huge);
    ADD_FAILURE() << "no exception";
  } catch (CArchiveException* e) {
    e->Delete();
  }
  EXPECT_EQ(doc.GetItemCount(), 0);
}

}  // namespace
