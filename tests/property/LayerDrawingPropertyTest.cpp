// Layer, layer-group and drawing property objects: their rows, what an edit changes, and what document
// changes (including undo, which replaces the drawing records) mean for them.
#include <gtest/gtest.h>

#include <memory>

#include "command/ColorParameterItem.h"
#include "command/DoubleParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "property/DrawingFeatureProperty.h"
#include "property/LayerFeatureProperty.h"
#include "tests/property/PropertyTestDocument.h"

using QZ2Command::DrawingFeatureProperty;
using QZ2Command::LayerFeatureProperty;

namespace {

class LayerDrawingPropertyTest : public kctest::PropertyTestDocument
{
protected:
    template <class T>
    static T* As(const std::unique_ptr<QZ2Command::ParameterItemBase>& p)
    {
        return dynamic_cast<T*>(p.get());
    }
    static std::unique_ptr<QZ2Command::ParameterItemBase> Choice(int n)
    {
        auto* pItem = new QZ2Command::ListParameterItem;
        pItem->SetValue(n);
        return std::unique_ptr<QZ2Command::ParameterItemBase>(pItem);
    }
    static std::unique_ptr<QZ2Command::ParameterItemBase> Number(double v)
    {
        auto* pItem = new QZ2Command::DoubleParameterItem;
        pItem->SetValue(v);
        return std::unique_ptr<QZ2Command::ParameterItemBase>(pItem);
    }
};

}  // namespace

TEST_F(LayerDrawingPropertyTest, LayerAndGroupRows)
{
    const long group = doc.AddLayerGroup(u"G", -1);
    ASSERT_GT(group, 0);
    LayerFeatureProperty empty(&doc, group);
    empty.ResetDescriptors();
    EXPECT_EQ(Ids(empty), (std::vector<WORD>{90})) << "an empty group shows only its name";
    const long a = doc.AddLayer(u"A", group);
    const long b = doc.AddLayer(u"B", group);
    ASSERT_TRUE(doc.SetLayerColorNo(a, 3, 1));
    ASSERT_TRUE(doc.SetLayerColorNo(b, 5, 1));

    LayerFeatureProperty layer(&doc, a);
    layer.ResetDescriptors();
    EXPECT_EQ(Ids(layer), (std::vector<WORD>{89, 91, 92, 93, 94, 95, 96, 97}));
    auto pName = Read(layer, 89);
    ASSERT_TRUE(pName);
    CString name;
    ASSERT_TRUE(As<QZ2Command::TextParameterItem>(pName)->GetValue(name));
    EXPECT_EQ(name, CString(u"A"));
    EXPECT_FALSE(Read(layer, 97)->m_bRequired) << "the number is read-only";

    LayerFeatureProperty grp(&doc, group);
    grp.ResetDescriptors();
    EXPECT_EQ(Ids(grp), (std::vector<WORD>{90, 91, 92, 93, 94, 95, 96}));
    EXPECT_TRUE(Read(grp, 92)->IsEmpty()) << "colours differ";
    // A colour for the group reaches both layers in one step.
    QZ2Command::ColorParameterItem green;
    green.m_wNumber = 4;
    green.m_bEmpty = FALSE;
    const int nUndo = doc.GetUndoCount();
    doc.BeginUndoOperation(nullptr);
    EXPECT_TRUE(grp.ApplyPropertyItem(92, &green));
    doc.EndUndoOperation();
    EXPECT_EQ(doc.GetUndoCount(), nUndo + 1);
    EXPECT_EQ(doc.GetLayerTable()->GetLayerColorNo(a), 4);
    EXPECT_EQ(doc.GetLayerTable()->GetLayerColorNo(b), 4);
    EXPECT_FALSE(Read(grp, 92)->IsEmpty());

    // Renaming and hiding the layer.
    QZ2Command::TextParameterItem renamed;
    renamed.SetValue(u"Renamed");
    EXPECT_TRUE(layer.ApplyPropertyItem(89, &renamed));
    EXPECT_EQ(doc.GetLayerTable()->GetLayerName(a), CString(u"Renamed"));
    EXPECT_TRUE(layer.ApplyPropertyItem(95, Choice(0).get()));
    EXPECT_TRUE(doc.GetLayerTable()->IsLayerHide(a));
    EXPECT_EQ(Read(grp, 95)->IsEmpty(), TRUE) << "partly hidden: no choice";
    EXPECT_FALSE(layer.ApplyPropertyItem(97, Choice(0).get()));

    // Notifications: a change of a child re-reads the group; removing the layer closes it.
    NotifyInfoBase colour(&doc, NotifyInfoBase::kindLayer, NotifyInfoBase::layerColorChanged);
    colour.SetLayerArguments(b, group, -1, -1, FALSE);
    EXPECT_EQ(grp.OnDocumentNotify(&colour), 2);
    EXPECT_EQ(layer.OnDocumentNotify(&colour), 0);
    ASSERT_TRUE(doc.DeleteLayer(a, 1));
    NotifyInfoBase removed(&doc, NotifyInfoBase::kindLayer, NotifyInfoBase::layerRemoved);
    removed.SetLayerArguments(a, group, -1, -1, FALSE);
    EXPECT_EQ(layer.OnDocumentNotify(&removed), 3);
    EXPECT_FALSE(Read(layer, 89));
    ASSERT_TRUE(doc.DeleteLayer(b, 1));
    removed.SetLayerArguments(b, group, -1, -1, FALSE);
    EXPECT_EQ(grp.OnDocumentNotify(&removed), 1) << "the group lost its last layer: rows change";
    grp.ResetDescriptors();
    EXPECT_EQ(Ids(grp), (std::vector<WORD>{90}));
}

TEST_F(LayerDrawingPropertyTest, DrawingRowsPerKind)
{
    const long paperID = doc.AddPaperFeature(u"Sheet");
    const long partID = doc.AddPartDrawingFeature(u"Part");
    ASSERT_GT(paperID, 0);
    ASSERT_GT(partID, 0);
    const long layoutID = doc.AddPartLayout(paperID, partID, u"View", -1, 1);
    ASSERT_GT(layoutID, 0);
    DrawingFeatureBase* pPaper = doc.ChangeDrawingFeature(paperID);
    DrawingFeatureBase* pPart = doc.ChangeDrawingFeature(partID);

    DrawingFeatureProperty paper(&doc, pPaper, nullptr);
    paper.ResetDescriptors();
    EXPECT_EQ(Ids(paper), (std::vector<WORD>{98, 100, 111, 112, 113, 114, 108, 115}));
    DrawingFeatureProperty part(&doc, pPart, nullptr);
    part.ResetDescriptors();
    EXPECT_EQ(Ids(part), (std::vector<WORD>{98, 100, 108}));
    DrawingFeatureProperty layout(&doc, pPart, doc.GetPartLayoutByID(layoutID));
    layout.ResetDescriptors();
    EXPECT_EQ(Ids(layout), (std::vector<WORD>{99, 98, 100, 108, 101, 102, 105, 103, 104, 106, 107, 116}));
    EXPECT_FALSE(Read(layout, 98)->m_bRequired) << "the drawing's name is read-only through a layout";
    EXPECT_TRUE(Read(layout, 99)->m_bRequired);

    // Width and height are typed only for a user-defined size.
    EXPECT_EQ(Read(paper, 113)->m_bRequired != FALSE,
              static_cast<Paper2dFeature*>(pPaper)->GetPaperSizeType() == 5);
    EXPECT_FALSE(paper.ApplyPropertyItem(113, Number(0.0).get())) << "a paper width of 0";

    // 1:50 on a layout without its own Y scale gives 1:50 on both axes.
    EXPECT_TRUE(layout.ApplyPropertyItem(103, Number(1.0).get()));
    EXPECT_TRUE(layout.ApplyPropertyItem(104, Number(50.0).get()));
    const PartDrawingLayout* pLayout = doc.GetPartLayoutByID(layoutID);
    EXPECT_DOUBLE_EQ(pLayout->GetScaleX(), 1.0 / 50.0);
    EXPECT_DOUBLE_EQ(pLayout->GetScaleY(), 1.0 / 50.0);
    EXPECT_FALSE(layout.ApplyPropertyItem(104, Number(0.0).get())) << "a denominator of 0";
    EXPECT_FALSE(Read(layout, 106)->m_bRequired);

    // Undo replaces every drawing record: the object looks its target up again.
    doc.BeginUndoOperation(nullptr);
    QZ2Command::TextParameterItem name;
    name.SetValue(u"Renamed");
    ASSERT_TRUE(paper.ApplyPropertyItem(98, &name));
    doc.EndUndoOperation();
    ASSERT_TRUE(doc.Undo());
    NotifyInfoBase rebuild(&doc, NotifyInfoBase::kindDrawing, NotifyInfoBase::drawingRebuild);
    EXPECT_EQ(paper.OnDocumentNotify(&rebuild), 2);
    auto pName = Read(paper, 98);
    ASSERT_TRUE(pName);
    CString shown;
    ASSERT_TRUE(dynamic_cast<QZ2Command::TextParameterItem*>(pName.get())->GetValue(shown));
    EXPECT_EQ(shown, CString(u"Sheet"));

    // The layout removed: its object closes.
    NotifyInfoBase removed(&doc, NotifyInfoBase::kindDrawing, NotifyInfoBase::layoutRemoved);
    removed.SetDrawingArguments(nullptr, nullptr, doc.GetPartLayoutByID(layoutID), -1);
    EXPECT_EQ(layout.OnDocumentNotify(&removed), 3);
    EXPECT_EQ(paper.OnDocumentNotify(&removed), 0);

    // Same target by ids.
    DrawingFeatureProperty again(&doc, doc.ChangeDrawingFeature(paperID), nullptr);
    EXPECT_TRUE(again.IsSameTarget(&paper));
    EXPECT_FALSE(again.IsSameTarget(&layout));
}
