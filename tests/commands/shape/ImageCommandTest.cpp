// The image insertion command over the real manager, document and view, with the real file dialog answered
// while it shows: PNG, JPEG, BMP and TIFF pictures placed between two corners in one undo step with the
// file's bytes, the rectangle preview, a cancelled dialog and an unsupported kind of file (no command), and
// damaged pictures (a truncated PNG, a TIFF claiming 100,000 x 100,000 pixels, text named .jpg, an empty
// file) refused with a message naming the file.

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

#include <vector>

#include "commands/shape/Image2dCommand.h"
#include "libs/vevure/Image2dFeature.h"
#include "tests/commands/shape/DrawingCommandFixture.h"

using namespace QZ2Command;

namespace {

constexpr UINT kImageID = 33622;

class ImageCommandTest : public kctest::DrawingCommandFixture
{
protected:
    void SetUp() override
    {
        DrawingCommandFixture::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_boxes.clear();
        m_box.setInterval(5);
        QObject::connect(&m_box, &QTimer::timeout, [this]() {
            if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_boxes.push_back(pBox->text());
                pBox->accept();
            }
        });
        m_box.start();
    }
    void TearDown() override
    {
        m_box.stop();
        m_answer.stop();
        DrawingCommandFixture::TearDown();
    }
    // The next file dialog chooses the path (an empty path cancels it).
    void AnswerFileDialogWith(const QString& path)
    {
        m_answer.disconnect();
        m_answer.setInterval(5);
        QObject::connect(&m_answer, &QTimer::timeout, [this, path]() {
            auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (pDialog == nullptr)
                return;
            m_answer.stop();
            if (path.isEmpty()) {
                pDialog->reject();
                return;
            }
            pDialog->selectFile(path);
            static_cast<QDialog*>(pDialog)->accept();
        });
        m_answer.start();
    }
    QString Picture(const char* name, const char* format)
    {
        QImage image(24, 16, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path, format)) << name;
        return path;
    }
    QString Bytes(const char* name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    QTimer m_answer, m_box;
    std::vector<QString> m_boxes;
};

// A little-endian TIFF header whose first directory claims a picture of w x h pixels and nothing else.
QByteArray TiffClaiming(quint32 w, quint32 h)
{
    QByteArray b("II*\0", 4);
    auto u16 = [&b](quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto u32 = [&b](quint32 v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    u32(8);
    u16(6);
    auto tag = [&](quint16 id, quint16 type, quint32 value) {
        u16(id);
        u16(type);
        u32(1);
        u32(value);
    };
    tag(256, 4, w);      // width
    tag(257, 4, h);      // length
    tag(258, 3, 8);      // bits per sample
    tag(262, 3, 1);      // black is zero
    tag(273, 4, 200);    // strip offsets
    tag(279, 4, 1000);   // strip byte counts
    u32(0);
    b.append(QByteArray(64, '\0'));
    return b;
}

}  // namespace

TEST_F(ImageCommandTest, EachFormatIsPlacedBetweenTwoCornersWithItsBytes)
{
    struct Case {
        const char* name;
        const char* format;
    };
    const Case cases[] = {{"a.png", "PNG"}, {"b.jpg", "JPEG"}, {"c.bmp", "BMP"}, {"d.tif", "TIFF"}};
    int placed = 0;
    for (const Case& c : cases) {
        const QString path = Picture(c.name, c.format);
        AnswerFileDialogWith(path);
        ASSERT_NE(Start(kImageID), nullptr) << c.name;
        const RuVaPnt2d a = P(-3 + placed, -2), b = P(-1 + placed, 1);
        Click(a);
        // After the first corner the preview is the rectangle to the cursor, not the picture.
        EXPECT_NE(PreviewAt(b), Render()) << c.name;
        Click(b);
        ++placed;
        const auto images = Shapes<Image2dFeature>();
        ASSERT_EQ(images.size(), size_t(placed)) << c.name;
        const Image2dFeature* pImage = images.back();
        ExpectCurrentAttributes(pImage);
        EXPECT_NEAR(pImage->GetWidth(), Landed(b).X() - Landed(a).X(), 1e-6);
        const QByteArray bytes = Read(path);
        EXPECT_TRUE(pImage->GetImageData() == std::vector<BYTE>(bytes.begin(), bytes.end())) << c.name;
        EXPECT_EQ(doc.GetUndoCount(), placed);
        EXPECT_EQ(Running(), nullptr) << "one picture ends the command";
    }
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(ImageCommandTest, ACancelledDialogOrAnUnsupportedFileStartsNothing)
{
    AnswerFileDialogWith(QString());
    manager.ExecuteCommand(kImageID);
    EXPECT_EQ(Running(), nullptr);
    EXPECT_TRUE(m_boxes.empty());

    AnswerFileDialogWith(Bytes("notes.txt", "hello"));
    manager.ExecuteCommand(kImageID);
    EXPECT_EQ(Running(), nullptr);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], QString::fromStdU16String(std::u16string(Text(11038))));
}

TEST_F(ImageCommandTest, DamagedPicturesAreToldByNameAndInsertNothing)
{
    const QByteArray png = Read(Picture("whole.png", "PNG"));
    const QString files[] = {
        Bytes("truncated.png", png.left(png.size() / 2)),
        Bytes("huge.tif", TiffClaiming(100000, 100000)),
        Bytes("text.jpg", "this is no picture"),
        Bytes("empty.bmp", QByteArray()),
    };
    for (const QString& path : files) {
        m_boxes.clear();
        AnswerFileDialogWith(path);
        ASSERT_NE(Start(kImageID), nullptr) << path.toStdString();
        Click(P(0, 0));
        Click(P(2, 2));
        EXPECT_TRUE(Shapes<Image2dFeature>().empty()) << path.toStdString();
        ASSERT_EQ(m_boxes.size(), 1u) << path.toStdString();
        EXPECT_TRUE(m_boxes[0].contains(path)) << m_boxes[0].toStdString();
        manager.CancelAllCommands();
    }
    EXPECT_EQ(doc.GetUndoCount(), 0);
}
