// The rows every kind of shape shares: which kinds offer which, what they read, which values the apply
// refuses, whether an undo step is recorded, and what document changes mean for a shape object.
#include <gtest/gtest.h>

#include <memory>

#include "command/ColorParameterItem.h"
#include "command/LayerParameterItem.h"
#include "command/LineTypeParameterItem.h"
#include "command/LineWidthParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Text2dFeature.h"
#include "property/ShapeFeaturePropertyBase.h"
#include "tests/property/PropertyTestDocument.h"

using QZ2Command::FeaturePropertyBase;
using QZ2Command::ShapeFeaturePropertyBase;

namespace {

class ShapeFeaturePropertyTest : public kctest::PropertyTestDocument
{
protected:
    std::unique_ptr<FeaturePropertyBase> Object(long id)
    {
        std::unique_ptr<FeaturePropertyBase> p(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, id, -1));
        if (p)
            p->ResetDescriptors();
        return p;
    }
};

}  // namespace

TEST_F(ShapeFeaturePropertyTest, CommonRowsByKind)
{
    const long line = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)));
    const long text = Add(Text2dFeature(u"abc", RuVaPnt2d(0, 0)));
    const long hatch = Add(Hatch2dFeature());
    const long lead = Add(Lead2dFeature());
    const struct {
        long id;
        std::vector<WORD> rows;
        const char* name;
    } cases[] = {{line, {1, 2, 3, 4, 5, 6, 7, 11, 12}, "Line"},
                 {text, {1, 2, 3, 4, 5}, "Text"},
                 {hatch, {1, 2, 3, 4}, "Hatch"},
                 {lead, {1, 2, 3, 4, 5, 7}, "Lead"}};
    for (const auto& c : cases) {
        if (c.id <= 0)
            continue;
        std::unique_ptr<FeaturePropertyBase> p = Object(c.id);
        ASSERT_TRUE(p) << c.name;
        EXPECT_EQ(Ids(*p), c.rows) << c.name;
        auto pKind = Read(*p, 1);
        ASSERT_TRUE(pKind);
        CString kind;
        ASSERT_TRUE(static_cast<QZ2Command::TextParameterItem*>(pKind.get())->GetValue(kind));
        EXPECT_EQ(kind.ToQString().toStdString(), std::string(c.name));
        EXPECT_EQ(pKind->m_strCaption, CString(u"Kind"));
        EXPECT_FALSE(pKind->m_bRequired) << "the kind is never edited";
        // Rows the kind does not offer answer FALSE.
        QZ2Command::LineTypeParameterItem type;
        EXPECT_EQ(p->GetPropertyItem(6, &type, FALSE) != FALSE, c.rows.size() >= 7) << c.name;
    }
    // No object for a record that does not exist.
    EXPECT_EQ(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, line + 1000, -1), nullptr);
    EXPECT_EQ(ShapeFeaturePropertyBase::CreateFeatureProperty(&doc, 0, -1), nullptr);
}

TEST_F(ShapeFeaturePropertyTest, CommonValuesAreCheckedBeforeTheyAreWritten)
{
    const long line = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)));
    std::unique_ptr<FeaturePropertyBase> p = Object(line);
    ASSERT_TRUE(p);
    auto colour = [](short n) {
        auto* pItem = new QZ2Command::ColorParameterItem;
        pItem->m_wNumber = static_cast<WORD>(n);
        pItem->m_bEmpty = FALSE;
        return std::unique_ptr<QZ2Command::ParameterItemBase>(pItem);
    };
    auto lineType = [](short n) {
        auto* pItem = new QZ2Command::LineTypeParameterItem;
        pItem->m_wNumber = static_cast<WORD>(n);
        pItem->m_bEmpty = FALSE;
        return std::unique_ptr<QZ2Command::ParameterItemBase>(pItem);
    };
    auto width = [](WORD n, double w) {
        auto* pItem = new QZ2Command::LineWidthParameterItem;
        pItem->SetValue(n, w);
        return std::unique_ptr<QZ2Command::ParameterItemBase>(pItem);
    };
    auto layer = [this](long id) {
        auto* pItem = new QZ2Command::LayerParameterItem;
        pItem->m_pDocument = &doc;
        pItem->m_nLayerID = id;
        pItem->m_bEmpty = FALSE;
        return std::unique_ptr<QZ2Command::ParameterItemBase>(pItem);
    };
    const short nType = doc.GetFeature(line)->GetLineTypeNo();
    const struct {
        WORD wId;
        std::unique_ptr<QZ2Command::ParameterItemBase> pItem;
        bool bTaken;
        bool bStep;
        const char* what;
    } cases[] = {
        {5, colour(257), false, false, "colour 257"},
        {5, colour(3), true, true, "colour 3"},
        {5, colour(3), true, false, "the same colour again"},
        {5, colour(0), true, true, "colour 0 (by layer)"},
        {6, lineType(32767), false, false, "line type 32767"},
        {6, lineType(nType), true, false, "the current line type"},
        {7, width(0xFFFF, -1.0), false, false, "no width number and a negative width"},
        {7, width(20, 0.5), true, true, "number 20 with width 0.5"},
        {4, layer(0), false, false, "layer 0 for a line"},
    };
    for (const auto& c : cases) {
        const int nUndo = doc.GetUndoCount();
        doc.BeginUndoOperation(nullptr);
        const BOOL bTaken = p->ApplyPropertyItem(c.wId, c.pItem.get());
        doc.EndUndoOperation();
        EXPECT_EQ(bTaken != FALSE, c.bTaken) << c.what;
        EXPECT_EQ(doc.GetUndoCount() - nUndo, c.bStep ? 1 : 0) << c.what;
    }
    // The partial take keeps the old number and takes the width.
    const Feature2dBase* pLine = doc.GetFeature(line);
    EXPECT_EQ(pLine->GetColorNo(), 0);
    EXPECT_DOUBLE_EQ(pLine->GetLineWidth(), 0.5);
    EXPECT_NE(pLine->GetLineWidthNo(), 20);

    // An empty item is never applied.
    QZ2Command::ColorParameterItem empty;
    EXPECT_FALSE(p->ApplyPropertyItem(5, &empty));
}

TEST_F(ShapeFeaturePropertyTest, ADocumentChangeConcernsOnlyTheNotifiedShape)
{
    const long a = Add(Line2dFeature(RuVaPnt2d(0, 0), RuVaPnt2d(10, 0)));
    const long b = Add(Circle2dFeature(RuVaPnt2d(0, 0), 5));
    std::unique_ptr<FeaturePropertyBase> p = Object(a);
    ASSERT_TRUE(p);
    NotifyInfoBase mine(&doc, NotifyInfoBase::kindFeature, NotifyInfoBase::featureChanged);
    mine.SetRecordID(a);
    NotifyInfoBase other(&doc, NotifyInfoBase::kindFeature, NotifyInfoBase::featureChanged);
    other.SetRecordID(b);
    NotifyInfoBase layer(&doc, NotifyInfoBase::kindLayer, NotifyInfoBase::layerColorChanged);
    NotifyInfoBase colours(&doc, NotifyInfoBase::kindColorTable, 0);
    NotifyInfoBase drawing(&doc, NotifyInfoBase::kindDrawing, NotifyInfoBase::drawingChanged);
    NotifyInfoBase component(&doc, NotifyInfoBase::kindDrawing, NotifyInfoBase::componentDrawingRemoved);
    NotifyInfoBase settings(&doc, NotifyInfoBase::kindDocumentSetting, 0);
    EXPECT_EQ(p->OnDocumentNotify(&mine), 2);
    EXPECT_EQ(p->OnDocumentNotify(&other), 0);
    EXPECT_EQ(p->OnDocumentNotify(&layer), 2);
    EXPECT_EQ(p->OnDocumentNotify(&colours), 2);
    EXPECT_EQ(p->OnDocumentNotify(&drawing), 2);
    EXPECT_EQ(p->OnDocumentNotify(&component), 3);
    EXPECT_EQ(p->OnDocumentNotify(&settings), 0);

    // Gone from the document: every row answers FALSE.
    doc.BeginUndoOperation(nullptr);
    ASSERT_TRUE(doc.DeleteFeature(a, 1));
    doc.EndUndoOperation();
    QZ2Command::ColorParameterItem item;
    EXPECT_FALSE(p->GetPropertyItem(5, &item, TRUE));
    item.m_wNumber = 2;
    item.m_bEmpty = FALSE;
    EXPECT_FALSE(p->ApplyPropertyItem(5, &item));
}
