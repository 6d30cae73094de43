#include "base/qt_files.h"

#include "app/Vimomain.h"
#include "base/qt_seams.h"
#include "charts/Vimosema.h"
#include "navcalc/Vimoboat.h"
#include "records/Vimolog.h"
#include "records/Vimowayp.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::TempDir;
using testing::UiFixture;

// Each window that opens or saves a data file, given a FIFO: before, reading one waited for a
// writer and froze the whole program.
TEST(DataFiles, AFifoChosenAsADataFileIsRefusedAtOnceByEveryWindow) {
    TempDir dir;
    UiFixture ui;
    const auto mainDlg = createWindows(ui.context);
    const WindowRegistry& w = ui.context.windows;
    const std::string fifo = dir.file("pipe.WAY");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    const struct {
        const char* what;
        std::function<void()> choose;
    } cases[] = {
        {"map file",
         [&] {
             w.semaDlg->ensureControls();
             w.semaDlg->OpenBtnClick();
         }},
        {"route to load", [&] { w.waypDlg->Load1->trigger(); }},
        {"route to save", [&] { w.waypDlg->Save1->trigger(); }},
        {"speed table to load",
         [&] {
             w.boatSheet->ensureControls();
             w.boatSheet->Loadspeeddatafromfile1->trigger();
         }},
        {"leeway table to save",
         [&] {
             w.boatSheet->ensureControls();
             w.boatSheet->Saveleewaydatatofile1->trigger();
         }},
        {"log to write",
         [&] {
             w.logDlg->ensureControls();
             w.logDlg->UseBtnClick();
         }},
        {"log to view",
         [&] {
             w.logDlg->ensureControls();
             w.logDlg->OpenBtnClick();
         }},
    };
    for (const auto& c : cases) {
        ui.dialogs.shown.clear();
        ui.dialogs.files = {QString::fromStdString(fifo)};
        c.choose();
        EXPECT_EQ(
            ui.dialogs.shown,
            (Boxes{{Warning, QString::fromStdString(fifo + " is a FIFO, not a regular file.")}}))
            << c.what;
    }
    EXPECT_EQ(ui.program.chart.MapFilePath, "");
    EXPECT_FALSE(ui.program.logbook.LogFileSelected);
    EXPECT_EQ(ui.program.logbook.LogViewFile, "");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(DataFiles, AnImageIsSavedAsABitmapThroughASymbolicLink) {
    TempDir dir;
    StdFileSystem files;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    std::filesystem::create_symlink("chart.bmp", dir.file("latest.bmp"));
    std::string error;
    ASSERT_TRUE(saveBmpFile(files, image, QString::fromStdString(dir.file("latest.bmp")), error));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("latest.bmp")));
    const QImage saved(QString::fromStdString(dir.file("chart.bmp")), "BMP");
    EXPECT_EQ(saved.size(), image.size());
    EXPECT_EQ(saved.pixel(3, 2), image.pixel(3, 2));
}

// Not in the program's working folder.
TEST(FileDialogs, StartAtHomeThenInTheFolderLastUsed) {
    TempDir dir;
    const QString chosen = QString::fromStdString(dir.file("coast.MAP"));
    QFile(chosen).open(QIODevice::WriteOnly);
    QtDialogs dialogs;
    QStringList startFolders;
    const auto answer = [&](bool choose) {
        QTimer::singleShot(0, [&startFolders, &chosen, choose] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            startFolders << dialog->directory().absolutePath();
            if (!choose)
                return dialog->reject();
            dialog->selectFile(chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
    };
    answer(true);
    EXPECT_EQ(dialogs.openFileName({"Open map-file", "Map-files (*.MAP)", "MAP"}), chosen);
    answer(false);
    dialogs.saveFileName({"Import into map-file", "Map-files (*.MAP)", "MAP"}, true);
    EXPECT_EQ(startFolders, (QStringList{QDir::homePath(), QString::fromStdString(dir.path())}));
}

} // namespace
} // namespace brisomar
