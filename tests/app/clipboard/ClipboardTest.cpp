// Copy, Cut and Paste through the real program and the real (offscreen) clipboard: shapes copied from one
// drawing and pasted into another, Cut undone, the layout conflict, bad data from other programs, the
// pictures other programs read, and what closing the drawing does with a copy still on the clipboard.

#include "ClipboardFixture.h"

#include "libs/vevure/DrawingFeatureBase.h"

#include <QtGui/QImage>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace kctest;

class ClipboardTest : public ClipboardFixture
{
};

TEST_F(ClipboardTest, CopyAndPasteIntoAnotherDrawingOneStepPerClick)
{
    CQZ2Doc* source = NewDrawingWithLayer();
    ASSERT_NE(source, nullptr);
    Draw2dDocument* from = source->GetDraw2dDocument();
    const long a = AddLine(from, RuVaPnt2d(10, 10), RuVaPnt2d(30, 10));
    const long b = AddLine(from, RuVaPnt2d(10, 10), RuVaPnt2d(10, 40));
    AddLine(from, RuVaPnt2d(200, 200), RuVaPnt2d(220, 200));  // not copied
    Select(from, std::vector<long>{b, a});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(10, 10)));
    EXPECT_EQ(from->GetFeatureCount(), 3);

    // What other programs are offered: the native data, a vector picture and a bitmap.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(NativeMime()));
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(data->hasImage());
    EXPECT_FALSE(data->hasText());  // no text shapes copied
    auto clip = ClipOnClipboard();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->GetFeatureCount(), 2);
    EXPECT_EQ(clip->GetBasePoint(), RuVaPnt2d(10, 10));

    CQZ2Doc* target = NewDrawingWithLayer();
    ASSERT_NE(target, nullptr);
    ASSERT_NE(target, source);
    Draw2dDocument* to = target->GetDraw2dDocument();
    Command(kPasteID);
    ASSERT_NE(m_manager->GetActiveCommand(), nullptr);
    EXPECT_EQ(m_manager->GetActiveCommand()->GetIdentifier(), CString(_T("Korvan.Edit.ClipboardPaste")));
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(100, 50)));
    EXPECT_EQ(to->GetFeatureCount(), 2);
    EXPECT_EQ(to->GetUndoCount(), 1);
    // A second click places a second copy; the command stays until ended.
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(0, 0)));
    EXPECT_EQ(to->GetFeatureCount(), 4);
    EXPECT_EQ(to->GetUndoCount(), 2);
    Command(kEndCommandID);
    std::vector<RuVaPnt2d> starts;
    for (const Line2dFeature* l : Lines(to))
        starts.push_back(l->GetStartPoint());
    // The base point lands on each click; the source keeps its record order.
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_LT(starts[0].Distance(RuVaPnt2d(100, 50)), 1e-9);
    EXPECT_LT(Lines(to)[0]->GetEndPoint().Distance(RuVaPnt2d(120, 50)), 1e-9);
    EXPECT_LT(Lines(to)[1]->GetEndPoint().Distance(RuVaPnt2d(100, 80)), 1e-9);
    EXPECT_LT(starts[2].Distance(RuVaPnt2d(0, 0)), 1e-9);
    Command(kUndoID);
    EXPECT_EQ(to->GetFeatureCount(), 2);
}

TEST_F(ClipboardTest, PasteScaledAndTurnedFromTheCommandBarValues)
{
    CQZ2Doc* source = NewDrawingWithLayer();
    Draw2dDocument* from = source->GetDraw2dDocument();
    const long a = AddLine(from, RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    Select(from, std::vector<long>{a});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));
    CQZ2Doc* target = NewDrawingWithLayer();
    Draw2dDocument* to = target->GetDraw2dDocument();
    Command(kPasteID);
    QZ2Command::CommandBase* paste = m_manager->GetActiveCommand();
    ASSERT_NE(paste, nullptr);
    // Scale 2 x 1 and 90 degrees: the line doubles and turns about the click.
    QZ2Command::ScaleParameterItem scale;
    const int si = paste->FindParameterIndex(QZ2Command::ClipboardPaste2dCommand::itemScale);
    ASSERT_GE(si, 0);
    scale.Copy(*paste->GetParameterItem(si));
    ASSERT_TRUE(scale.SetValue(2.0, 1.0));
    ASSERT_TRUE(m_manager->SetScaleParameter(si, scale, TRUE));
    QZ2Command::AngleParameterItem angle;
    const int ai = paste->FindParameterIndex(QZ2Command::ClipboardPaste2dCommand::itemAngle);
    ASSERT_GE(ai, 0);
    angle.Copy(*paste->GetParameterItem(ai));
    angle.SetValue(90.0);
    ASSERT_TRUE(m_manager->SetAngleParameter(ai, angle, TRUE));
    ASSERT_TRUE(GivePoint(QZ2Command::ClipboardPaste2dCommand::itemPoint, RuVaPnt2d(50, 50)));
    Command(kEndCommandID);
    ASSERT_EQ(Lines(to).size(), 1u);
    EXPECT_LT(Lines(to)[0]->GetStartPoint().Distance(RuVaPnt2d(50, 50)), 1e-9);
    EXPECT_LT(Lines(to)[0]->GetEndPoint().Distance(RuVaPnt2d(50, 70)), 1e-9);
}

TEST_F(ClipboardTest, CutLeavesLockedShapesAndIsOneUndoStep)
{
    long work = -1;
    CQZ2Doc* doc = NewDrawingWithLayer(&work);
    Draw2dDocument* model = doc->GetDraw2dDocument();
    const long locked = model->AddLayer(_T("Locked"), -1);
    const long a = AddLine(model, RuVaPnt2d(0, 0), RuVaPnt2d(10, 0), work);
    const long b = AddLine(model, RuVaPnt2d(0, 5), RuVaPnt2d(10, 5), work);
    const long c = AddLine(model, RuVaPnt2d(0, 9), RuVaPnt2d(10, 9), locked);
    ASSERT_TRUE(model->SetLayerState(locked, 1, 1));
    model->ClearUndoRedoHistory();
    // Picked by hand, the locked shape is part of the selection that Cut takes over.
    Select(model, std::vector<long>{a, b, c});
    ASSERT_TRUE(CopySelection(kCutID, RuVaPnt2d(0, 0)));
    EXPECT_EQ(model->GetFeature(a), nullptr);
    EXPECT_EQ(model->GetFeature(b), nullptr);
    EXPECT_NE(model->GetFeature(c), nullptr);
    auto clip = ClipOnClipboard();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->GetFeatureCount(), 2);
    EXPECT_EQ(model->GetUndoCount(), 1);
    Command(kUndoID);
    EXPECT_NE(model->GetFeature(a), nullptr);
    EXPECT_NE(model->GetFeature(b), nullptr);
    EXPECT_EQ(model->GetFeatureCount(), 3);
}

TEST_F(ClipboardTest, OnePartDrawingThroughTwoLayoutsIsRefusedAndTheClipboardKept)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    const long paper = model->GetActiveDrawingID();
    const long part = model->AddPartDrawingFeature(_T("Part"));
    const long la = model->AddPartLayout(paper, part, _T("A"), -1, 1);
    const long lb = model->AddPartLayout(paper, part, _T("B"), -1, 1);
    ASSERT_NE(la, -1);
    ASSERT_NE(lb, -1);
    Line2dFeature l(RuVaPnt2d(0, 0), RuVaPnt2d(4, 0));
    l.SetLayerID(model->GetCurrentLayerID());
    const long x = model->AddFeature(&l, model->ChangeDrawingFeature(part), 1);
    const long y = model->AddFeature(&l, model->ChangeDrawingFeature(part), 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    SelectThrough(model, {FeatureLayout(x, la, -1), FeatureLayout(y, lb, -1)});
    m_app->boxes.clear();
    CopySelection(kCopyID, RuVaPnt2d(0, 0));
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_TRUE(m_app->boxes[0].text.contains(QStringLiteral("two different part layouts")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(NativeMime()));
}

// A paper showing two part drawings: the clip keeps the paper's name and size, the two part drawings, only
// the layouts used, and the shapes in the source's order; the base point stays in paper coordinates.
TEST_F(ClipboardTest, CopyOnAPaperKeepsItsPartDrawingsAndTheLayoutsUsed)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    DrawingFeatureBase* paper = model->GetActiveDrawingFeature();
    ASSERT_TRUE(paper->IsPaperFeature());
    ASSERT_TRUE(model->SetPaperSize(paper->GetDrawingName(), 297, 210, 1));
    const long p1 = model->AddPartDrawingFeature(_T("P1"));
    const long p2 = model->AddPartDrawingFeature(_T("P2"));
    const long p3 = model->AddPartDrawingFeature(_T("P3"));
    const long l1 = model->AddPartLayout(paper->GetDrawingID(), p1, _T("L1"), -1, 1);
    const long l2 = model->AddPartLayout(paper->GetDrawingID(), p2, _T("L2"), -1, 1);
    const long l3 = model->AddPartLayout(paper->GetDrawingID(), p3, _T("L3"), -1, 1);
    ASSERT_TRUE(model->SetPartLayoutScale(l1, 1, 2, FALSE, 1, 2, 1));
    ASSERT_NE(l3, -1);
    auto add = [&](long drawing, double y) {
        Line2dFeature l(RuVaPnt2d(0, y), RuVaPnt2d(10, y));
        l.SetLayerID(model->GetCurrentLayerID());
        return model->AddFeature(&l, model->ChangeDrawingFeature(drawing), 1);
    };
    const long first = add(p1, 1);
    const long second = add(p2, 2);
    const long third = add(p1, 3);
    add(p3, 4);  // not picked
    // Picked in another order than they were drawn.
    SelectThrough(model, {FeatureLayout(third, l1, -1), FeatureLayout(second, l2, -1), FeatureLayout(first, l1, -1)});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(30, 40)));
    auto clip = ClipOnClipboard();
    ASSERT_NE(clip, nullptr);
    const Draw2dDocument* c = clip->GetModel();
    EXPECT_EQ(clip->GetBasePoint(), RuVaPnt2d(30, 40));
    const DrawingFeatureBase* clipPaper = clip->GetActiveViewDrawing();
    ASSERT_NE(clipPaper, nullptr);
    EXPECT_TRUE(clipPaper->IsPaperFeature());
    EXPECT_EQ(clipPaper->GetDrawingName(), paper->GetDrawingName());
    double w = 0, h = 0;
    ASSERT_TRUE(c->GetPaperSize(clipPaper->GetDrawingName(), w, h));
    EXPECT_EQ(w, 297);
    EXPECT_EQ(h, 210);
    EXPECT_NE(c->GetDrawingFeatureByName(_T("P1")), nullptr);
    EXPECT_NE(c->GetDrawingFeatureByName(_T("P2")), nullptr);
    EXPECT_EQ(c->GetDrawingFeatureByName(_T("P3")), nullptr);
    // Only the two layouts used.
    ASSERT_EQ(clipPaper->GetPartLayoutCount(), 2);
    int scaled = 0;
    for (int i = 0; i < clipPaper->GetPartLayoutCount(); ++i)
        if (std::fabs(clipPaper->GetPartLayout(i)->GetScaleX() - 0.5) < 1e-12)
            ++scaled;
    EXPECT_EQ(scaled, 1);
    std::vector<double> ys;
    for (long id = c->GetNextFeatureRecordID(-1); id != -1; id = c->GetNextFeatureRecordID(id))
        ys.push_back(dynamic_cast<const Line2dFeature*>(c->GetFeature(id))->GetStartPoint().Y());
    EXPECT_EQ(ys, (std::vector<double>{1, 3, 2}));
}

TEST_F(ClipboardTest, ASecondCopyLetsTheFirstClipGo)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    const long a = AddLine(model, RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    Select(model, std::vector<long>{a});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));
    CQZ2SrvrItem* item = CQZ2SrvrItem::GetItem(doc, FALSE);
    ASSERT_NE(item, nullptr);
    std::weak_ptr<ClipDocument> first = item->GetClipDocument();
    ASSERT_FALSE(first.expired());
    Select(model, std::vector<long>{a});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(5, 0)));
    Pump();
    EXPECT_TRUE(first.expired());
    auto clip = ClipOnClipboard();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->GetBasePoint(), RuVaPnt2d(5, 0));
}

TEST_F(ClipboardTest, TextShapesAreOfferedAsText)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    std::vector<long> ids;
    for (LPCTSTR s : {_T("first"), _T("second")}) {
        Text2dFeature text;
        text.SetText(s);
        text.SetLayerID(model->GetCurrentLayerID());
        ids.push_back(model->AddFeature(&text, model->GetActiveDrawingFeature(), 1));
    }
    Select(model, ids);
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("first\nsecond"));
}

// Closing the drawing a copy came from: 10 shapes ask, 9 do not.
struct CloseCase {
    int shapes;
    int answer;
    bool asked;
    bool kept;
};
class ClipboardCloseTest : public ClipboardTest, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(ClipboardCloseTest, ClosingTheSourceAsksForLargeCopies)
{
    const CloseCase c = GetParam();
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    std::vector<long> ids;
    for (int i = 0; i < c.shapes; ++i)
        ids.push_back(AddLine(model, RuVaPnt2d(0, i), RuVaPnt2d(10, i)));
    Select(model, ids);
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));
    doc->SetModifiedFlag(FALSE);
    m_app->boxes.clear();
    m_app->answer = c.answer;
    doc->OnCloseDocument();
    Pump();
    m_app->answer = IDOK;
    EXPECT_EQ(m_app->boxes.size(), c.asked ? 1u : 0u);
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->hasFormat(NativeMime()), c.kept);
    if (!c.kept)
        return;
    // The copy outlives its drawing: it still pastes.
    CQZ2Doc* target = NewDrawingWithLayer();
    Command(kPasteID);
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(0, 0)));
    Command(kEndCommandID);
    EXPECT_EQ(target->GetDraw2dDocument()->GetFeatureCount(), c.shapes);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ClipboardCloseTest,
                         ::testing::Values(CloseCase{10, IDNO, true, false}, CloseCase{10, IDYES, true, true},
                                           CloseCase{9, IDNO, false, true}));

// Bad data under our own type, from any program: refused with the message, nothing started or changed.
struct BadData {
    const char* name;
    QByteArray bytes;
};

QByteArray GoodNativeData(double x, double y)
{
    ClipDocument clip;
    Line2dFeature l(RuVaPnt2d(0, 0), RuVaPnt2d(1, 1));
    clip.GetModel()->AddFeature(&l, clip.GetModel()->GetActiveDrawingFeature(), 0);
    clip.GetViewInfo().SetActiveIndex(clip.GetViewInfo().AddViewInfo(0, clip.GetModel()->GetActiveDrawingID()));
    clip.SetBasePoint(RuVaPnt2d(x, y));
    CByteArray bytes;
    clip.WriteNativeData(bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes.GetData()), static_cast<int>(bytes.GetSize()));
}

TEST_F(ClipboardTest, BadNativeDataIsRefusedWithAMessage)
{
    const QByteArray good = GoodNativeData(1, 2);
    const std::vector<BadData> cases = {
        {"truncated", good.left(good.size() / 2)},
        {"no base point", good.left(good.size() - 16)},
        {"half a base point", good.left(good.size() - 8)},
        {"garbage", QByteArray(300, '\x5a')},
        {"empty", QByteArray()},
        {"NaN base point", GoodNativeData(std::numeric_limits<double>::quiet_NaN(), 0)},
        {"infinite base point", GoodNativeData(0, std::numeric_limits<double>::infinity())},
    };
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    for (const BadData& c : cases) {
        SCOPED_TRACE(c.name);
        auto* mime = new QMimeData;
        mime->setData(NativeMime(), c.bytes);
        QGuiApplication::clipboard()->setMimeData(mime);
        m_app->boxes.clear();
        Command(kPasteID);
        EXPECT_EQ(m_manager->GetActiveCommand(), nullptr);
        ASSERT_EQ(m_app->boxes.size(), 1u);
        EXPECT_EQ(m_app->boxes[0].text, QStringLiteral("The clipboard holds data that cannot be pasted."));
        EXPECT_EQ(model->GetFeatureCount(), 0);
    }
    // Bytes after the base point are ignored.
    auto* mime = new QMimeData;
    mime->setData(NativeMime(), GoodNativeData(1, 2) + QByteArray(100, '\0'));
    QGuiApplication::clipboard()->setMimeData(mime);
    m_app->boxes.clear();
    Command(kPasteID);
    EXPECT_TRUE(m_app->boxes.empty());
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(5, 5)));
    Command(kEndCommandID);
    EXPECT_EQ(model->GetFeatureCount(), 1);
}

// The pictures: the SVG's size in millimetres is the copy's extent, the bitmap follows the size rules.
TEST_F(ClipboardTest, PicturesHaveTheExtentsSize)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    const long a = AddLine(model, RuVaPnt2d(0, 0), RuVaPnt2d(100, 0));
    const long b = AddLine(model, RuVaPnt2d(0, 0), RuVaPnt2d(0, 50));
    Select(model, std::vector<long>{a, b});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString svg = QString::fromUtf8(data->data(QStringLiteral("image/svg+xml")));
    const QRegularExpression size(QStringLiteral("width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""));
    const auto m = size.match(svg);
    ASSERT_TRUE(m.hasMatch()) << svg.left(400).toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 100.0, 0.5);
    EXPECT_NEAR(m.captured(2).toDouble(), 50.0, 0.5);
    EXPECT_TRUE(svg.contains(QStringLiteral("<path")) || svg.contains(QStringLiteral("<polyline")));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    int w = 0, h = 0;
    CQZ2SrvrItem::GetBitmapSize(10000, 5000, w, h);
    EXPECT_EQ(image.width(), w);
    EXPECT_EQ(image.height(), h);
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 200.0, 0.5);
}

// Extent and bitmap sizes for drawings of every shape.
TEST(ClipboardPictureSizeTest, ExtentAndBitmapSizes)
{
    struct Case {
        const char* name;
        double w, h;  // HIMETRIC before fitting
        double fw, fh;  // fitted
    };
    const Case cases[] = {
        {"400 x 400 mm", 40000, 40000, 32000, 32000},
        {"500 x 10 mm", 50000, 1000, 50000, 1000},
        {"5 x 5 mm", 500, 500, 1000, 1000},
        {"empty", 0, 0, 1000, 1000},
        {"one horizontal line of 100 mm", 10000, 0, 10000, 1000},
        // The larger side is limited first, then the smaller raised: the larger goes past the limit again.
        {"very elongated", 5000000, 1000, 5000000, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double w = c.w, h = c.h;
        CQZ2SrvrItem::FitExtent(w, h);
        EXPECT_NEAR(w, c.fw, 1e-6);
        EXPECT_NEAR(h, c.fh, 1e-6);
        int bw = 0, bh = 0;
        CQZ2SrvrItem::GetBitmapSize(static_cast<int>(w), static_cast<int>(h), bw, bh);
        EXPECT_GT(bw, 0);
        EXPECT_GT(bh, 0);
        EXPECT_LE(static_cast<double>(bw) * bh, 9000000.0);
        EXPECT_LE(std::max(bw, bh), 3000);
    }
    int bw = 0, bh = 0;
    CQZ2SrvrItem::GetBitmapSize(32000, 32000, bw, bh);
    EXPECT_EQ(bw, 2519);
    EXPECT_EQ(bh, 2519);
    CQZ2SrvrItem::GetBitmapSize(1000, 1000, bw, bh);
    EXPECT_EQ(bw, 1000);
    EXPECT_EQ(bh, 1000);
    // 500 x 10 mm: the smaller side raised to 1000 would need 50,000 pixels across; the upper bound wins.
    CQZ2SrvrItem::GetBitmapSize(50000, 1000, bw, bh);
    EXPECT_EQ(bw, 3000);
    EXPECT_EQ(bh, 59);
}

// What other programs put on the clipboard becomes a shape of the kind that fits it.
TEST_F(ClipboardTest, TextAndPicturesOfOtherProgramsBecomeShapes)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    // Text: a text shape in the current style, without the trailing line break.
    QGuiApplication::clipboard()->setText(QStringLiteral("Label 1\n"));
    Command(kPasteID);
    auto* paste = dynamic_cast<QZ2Command::ClipboardPaste2dCommand*>(m_manager->GetActiveCommand());
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->GetPasteKind(), QZ2Command::ClipboardPaste2dCommand::kindText);
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(20, 30)));
    Command(kEndCommandID);
    ASSERT_EQ(model->GetFeatureCount(), 1);
    const auto* text = dynamic_cast<const Text2dFeature*>(model->GetFeature(model->GetNextFeatureRecordID(-1)));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), CString(_T("Label 1")));

    // A picture of 800 x 600 pixels at 96 dpi: an image shape of its size on paper.
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.setDotsPerMeterX(static_cast<int>(std::lround(96 / 0.0254)));
    picture.setDotsPerMeterY(static_cast<int>(std::lround(96 / 0.0254)));
    QGuiApplication::clipboard()->setImage(picture);
    Command(kPasteID);
    paste = dynamic_cast<QZ2Command::ClipboardPaste2dCommand*>(m_manager->GetActiveCommand());
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->GetPasteKind(), QZ2Command::ClipboardPaste2dCommand::kindImage);
    ASSERT_TRUE(GivePoint(3, RuVaPnt2d(0, 0)));
    Command(kEndCommandID);
    ASSERT_EQ(model->GetFeatureCount(), 2);
    const Image2dFeature* image = nullptr;
    for (long id = model->GetNextFeatureRecordID(-1); id != -1; id = model->GetNextFeatureRecordID(id))
        if (auto* i = dynamic_cast<const Image2dFeature*>(model->GetFeature(id)))
            image = i;
    ASSERT_NE(image, nullptr);
    EXPECT_NEAR(image->GetWidth(), 800 * 25.4 / 96, 0.05);
    EXPECT_NEAR(image->GetHeight(), 600 * 25.4 / 96, 0.05);
    EXPECT_EQ(model->GetUndoCount(), 2);

    // A text longer than a text shape holds is refused.
    QGuiApplication::clipboard()->setText(QString(40000, QLatin1Char('x')));
    m_app->boxes.clear();
    Command(kPasteID);
    EXPECT_EQ(m_manager->GetActiveCommand(), nullptr);
    ASSERT_EQ(m_app->boxes.size(), 1u);
    EXPECT_EQ(model->GetFeatureCount(), 2);
}

// Pictures whose header announces more than the reader takes are refused before any pixel is allocated.
TEST(ClipboardImageReaderTest, HugeOrBrokenBitmapsAreRefused)
{
    auto header = [](qint32 w, qint32 h, int bits) {
        std::vector<BYTE> dib(40 + 64, 0);
        auto put = [&dib](size_t o, quint32 v) {
            for (int i = 0; i < 4; ++i)
                dib[o + i] = static_cast<BYTE>(v >> (8 * i));
        };
        put(0, 40);
        put(4, static_cast<quint32>(w));
        put(8, static_cast<quint32>(h));
        dib[12] = 1;
        dib[14] = static_cast<BYTE>(bits);
        return dib;
    };
    struct Case {
        const char* name;
        std::vector<BYTE> dib;
    };
    const std::vector<Case> cases = {
        {"100,000 x 100,000 pixels", header(100000, 100000, 24)},
        {"negative width", header(-5, 5, 24)},
        {"fewer pixels than announced", header(40, 40, 24)},
        {"bits 0", header(4, 4, 0)},
        {"shorter than a header", std::vector<BYTE>(20, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> png;
        double w = 0, h = 0;
        EXPECT_FALSE(QZ2Command::ClipboardPaste2dCommand::DecodeDib(c.dib.data(), c.dib.size(), png, w, h));
        EXPECT_TRUE(png.empty());
    }
}

// The paste object keeps the parameters of its first start: started first with text on the clipboard it
// has no scale or angle, and later pastes of shapes place them unscaled and unturned.
TEST_F(ClipboardTest, ParametersAreThoseOfTheFirstStart)
{
    CQZ2Doc* doc = NewDrawingWithLayer();
    Draw2dDocument* model = doc->GetDraw2dDocument();
    QGuiApplication::clipboard()->setText(QStringLiteral("first"));
    Command(kPasteID);
    QZ2Command::CommandBase* paste = m_manager->GetActiveCommand();
    ASSERT_NE(paste, nullptr);
    EXPECT_LT(paste->FindParameterIndex(QZ2Command::ClipboardPaste2dCommand::itemScale), 0);
    Command(kEndCommandID);
    const long a = AddLine(model, RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    Select(model, std::vector<long>{a});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));
    Command(kPasteID);
    paste = m_manager->GetActiveCommand();
    ASSERT_NE(paste, nullptr);
    EXPECT_LT(paste->FindParameterIndex(QZ2Command::ClipboardPaste2dCommand::itemScale), 0);
    EXPECT_LT(paste->FindParameterIndex(QZ2Command::ClipboardPaste2dCommand::itemAngle), 0);
    ASSERT_TRUE(GivePoint(QZ2Command::ClipboardPaste2dCommand::itemPoint, RuVaPnt2d(5, 5)));
    Command(kEndCommandID);
    EXPECT_EQ(model->GetFeatureCount(), 2);
}

// The preview follows the cursor and is rebuilt when the angle changes while dragging.
TEST_F(ClipboardTest, PreviewIsBuiltAndRebuiltOnAnAngleChange)
{
    CQZ2Doc* source = NewDrawingWithLayer();
    Draw2dDocument* from = source->GetDraw2dDocument();
    const long a = AddLine(from, RuVaPnt2d(0, 0), RuVaPnt2d(10, 0));
    const long b = AddLine(from, RuVaPnt2d(0, 0), RuVaPnt2d(0, 10));
    Select(from, std::vector<long>{a, b});
    ASSERT_TRUE(CopySelection(kCopyID, RuVaPnt2d(0, 0)));
    NewDrawingWithLayer();
    Command(kPasteID);
    QZ2Command::CommandBase* paste = m_manager->GetActiveCommand();
    ASSERT_NE(paste, nullptr);
    ASSERT_NE(paste->GetDrag(), nullptr);
    CQZ2View* view = ActiveDrawView();
    ASSERT_NE(view, nullptr);
    paste->DrawPreview(CPoint(100, 100), RuVaPnt2d(40, 40), RuVaPnt2d(40, 40), 0);
    EXPECT_EQ(paste->GetDrag()->GetFeatureCount(), 2);
    QZ2Command::AngleParameterItem angle;
    const int ai = paste->FindParameterIndex(QZ2Command::ClipboardPaste2dCommand::itemAngle);
    ASSERT_GE(ai, 0);
    angle.Copy(*paste->GetParameterItem(ai));
    angle.SetValue(45.0);
    ASSERT_TRUE(m_manager->SetAngleParameter(ai, angle, TRUE));
    EXPECT_TRUE(paste->GetDrag()->IsEmptyDragData());
    paste->DrawPreview(CPoint(110, 100), RuVaPnt2d(44, 40), RuVaPnt2d(44, 40), 0);
    EXPECT_EQ(paste->GetDrag()->GetFeatureCount(), 2);
    Command(kEndCommandID);
}

}  // namespace
