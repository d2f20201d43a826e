// The file dialog over a folder of 500 drawings: how long the folder takes to list, and how long one
// drawing's picture takes to read and decode (the work each reader thread does per file).

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtGui/QImage>
#include <QtWidgets/QListView>

#include <cstdlib>
#include <memory>

#include "MixedDrawing.h"
#include "app/CQZ2FileDialog.h"
#include "app/FileThumbnailCache.h"
#include "app/QZ2DocumentProperties.h"
#include "app/QZ2NativeFile.h"
#include "app/QZ2Thumbnail.h"
#include "libs/vevure/Draw2dDocument.h"
#include "platform/afx/CByteArray.h"
#include "platform/afx/ResourceModule.h"
#include "platform/ole/CompoundFile.h"
#include "platform/ole/CompoundStorage.h"

namespace {

constexpr int kFiles = 500;

QTemporaryDir& Folder()
{
    static QTemporaryDir folder;
    return folder;
}

QString FileName(int i)
{
    return QStringLiteral("drawing_%1.kvcd").arg(i, 3, 10, QLatin1Char('0'));
}

// 500 copies of a drawing file with its picture and summary, as the program writes them.
bool MakeFolder()
{
    std::unique_ptr<Draw2dDocument> pDrawing = MixedDrawing::Make(2000);
    CByteArray picture;
    if (!QZ2Thumbnail::Build(pDrawing.get(), picture))
        return false;
    CompoundFile file;
    file.CreateInMemory();
    file.GetRootStorage()->WriteStream(QZ2NativeFile::kThumbnailStreamName, picture.GetData(), picture.GetSize());
    QZ2DocumentProperties properties;
    properties.m_strTitle = _T("Site plan");
    properties.m_strAuthor = _T("Surveyor");
    properties.Save(file.GetRootStorage());
    CByteArray bytes;
    file.SaveToMemory(bytes);
    for (int i = 0; i < kFiles; ++i) {
        QFile out(QDir(Folder().path()).filePath(FileName(i)));
        if (!out.open(QIODevice::WriteOnly))
            return false;
        out.write(reinterpret_cast<const char*>(bytes.GetData()), static_cast<qint64>(bytes.GetSize()));
    }
    return true;
}

// From making the dialog until its list holds every drawing of the folder.
void BM_ListFolderOf500Drawings(benchmark::State& state)
{
    for (auto _ : state) {
        CQZ2FileDialog dialog(TRUE);
        dialog.SetMultiSelect(TRUE);
        dialog.SetFilterFlags(0x8941);
        dialog.SetInitialFolder(CString::FromQString(Folder().path()));
        if (!dialog.Create(CQZ2FileDialog::kTemplate)) {
            state.SkipWithError("the dialog could not be made");
            return;
        }
        auto* pList = dialog.GetQWidget()->findChild<QListView*>(QStringLiteral("fileList"));
        QElapsedTimer guard;
        guard.start();
        while (pList->model()->rowCount(pList->rootIndex()) < kFiles && guard.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (pList->model()->rowCount(pList->rootIndex()) != kFiles) {
            state.SkipWithError("the folder did not list");
            return;
        }
        state.PauseTiming();
        dialog.DestroyWindow();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// One drawing's picture, title and author read and decoded, as a reader thread does it.
void BM_ReadOnePicture(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        const FileThumbnailCache::Entry entry =
            FileThumbnailCache::Read(QDir(Folder().path()).filePath(FileName(i++ % kFiles)));
        if (entry.image.isNull()) {
            state.SkipWithError("no picture");
            return;
        }
        benchmark::DoNotOptimize(entry.image.constBits());
    }
}

// The parts of it: the picture alone, without the summary.
void BM_ReadOnePictureWithoutSummary(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        QImage image;
        QZ2Thumbnail::ReadFile(QDir(Folder().path()).filePath(FileName(i++ % kFiles)), image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

}  // namespace

BENCHMARK(BM_ReadOnePictureWithoutSummary)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ListFolderOf500Drawings)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadOnePicture)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    if (home.isValid())
        setenv("XDG_CONFIG_HOME", home.path().toUtf8().constData(), 1);
    QApplication app(argc, argv);
    const LanguageModuleResult language = AfxLoadLanguageModule(QStringLiteral(KC_RESOURCE_DIR).toStdU16String(), u"ENG");
    if (language.pModule == nullptr)
        return 1;
    AfxAddResourceModule(language.pModule);
    if (!Folder().isValid() || !MakeFolder())
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
