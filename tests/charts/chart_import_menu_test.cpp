#include "charts/chart_import_menu.h"

#include "app/Vimomain.h"
#include "base/program_modules.h"
#include "charts/Vimomapa.h"
#include "charts/Vimosema.h"
#include "charts/kap_writer.h"
#include "charts/map_file.h"
#include "temp_dir.h"
#include "ui_fakes.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace brisomar {
namespace {

using enum testing::BoxKind;
using testing::Boxes;
using testing::TempDir;
using testing::UiFixture;

const QString builtModules = QStringLiteral(BRISOMAR_MODULE_FOLDER);

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The charts of a raster library, each read until Cancel is pressed.
class UntilCancelled : public RasterLibrary {
public:
    explicit UntilCancelled(std::unique_ptr<RasterLibrary> library)
        : library_(std::move(library)) {}

    class Raster : public GeoRaster {
    public:
        explicit Raster(std::unique_ptr<GeoRaster> raster) : raster_(std::move(raster)) {}
        std::string title() const override { return raster_->title(); }
        const SampledGeoreference& georeference() const override { return raster_->georeference(); }
        GeoSample position(double x, double y) const override { return raster_->position(x, y); }
        bool render(const TileRect&, Palette&, std::uint8_t*, std::size_t,
                    const ImportProgress& progress, std::string&) override {
            while (progress(0.5))
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return false;
        }

    private:
        std::unique_ptr<GeoRaster> raster_;
    };

    std::unique_ptr<GeoRaster> open(const std::string& path, std::string& reason) override {
        auto raster = library_->open(path, reason);
        return raster ? std::make_unique<Raster>(std::move(raster)) : nullptr;
    }

private:
    std::unique_ptr<RasterLibrary> library_;
};

class ImportMenu : public ::testing::Test {
protected:
    ImportMenu() : mainDlg(createWindows(ui.context)), mapA(ui.context.windows.mapA) {
        ui.context.makers.rasterLibrary = [](QString& reason) {
            return loadRasterLibrary(builtModules, reason);
        };
        testing::KapChart chart{"Harbour Approaches", 200, 160, 45.2, 45.1, -3.2, -3.05, {}, {}};
        chart.rgb = {255, 255, 255, 0, 0, 160};
        chart.colour = [](int x, int y) { return (x / 10 + y / 10) % 2 + 1; };
        testing::writeKap(kap, chart);
        MapTable table{};
        table[0].FileName = "old.bmp";
        const Bytes bytes = encodeMapFile(table);
        std::ofstream(map, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    void openMapFile() {
        bool opened = false;
        ui.program.selection.openMapFile(ui.files, map, opened);
        ASSERT_TRUE(opened);
        ui.dialogs.shown.clear();
    }

    // Runs `look` once the selection dialog shows modally, then closes it.
    void whenSelectionShows(std::function<void()> look) {
        auto* timer = new QTimer(mapA);
        QObject::connect(timer, &QTimer::timeout, [this, timer, look] {
            TVimosemaDlg* selection = ui.context.windows.semaDlg;
            if (QApplication::activeModalWidget() != selection)
                return;
            timer->stop();
            look();
            selection->close();
        });
        timer->start(0);
    }

    TempDir dir;
    std::string kap = dir.file("approaches.kap");
    std::string map = dir.file("charts.MAP");
    UiFixture ui;
    std::unique_ptr<TVimoMainDlg> mainDlg;
    TMapA* mapA;
};

TEST_F(ImportMenu, ImportsIntoTheOpenMapFileAndShowsTheFirstNewRecord) {
    openMapFile();
    ui.dialogs.files = {QString::fromStdString(kap)};
    bool shown = false;
    int record = 0;
    QString text;
    whenSelectionShows([&] {
        shown = true;
        record = ui.context.windows.semaDlg->SpinFilePos->value();
        text = ui.context.windows.semaDlg->LabelInfoText->text();
    });
    mapA->ImportChart1->trigger();
    EXPECT_EQ(
        ui.dialogs.shown,
        (Boxes{{Question,
                QStringLiteral("Import into the map-file %1?").arg(QString::fromStdString(map))}}));
    EXPECT_TRUE(shown);
    EXPECT_EQ(record, 2);
    EXPECT_EQ(text, QStringLiteral("Text:Harbour Approaches"));
    EXPECT_EQ(ui.program.chart.MapFilePath, map);
    EXPECT_EQ(ui.program.chart.Table[0].FileName, "old.bmp");
    EXPECT_EQ(ui.program.chart.Table[1].FileName, "approaches-1.bmp");
    EXPECT_TRUE(ui.program.chart.ChartUsable);
}

TEST_F(ImportMenu, AnotherMapFileIsChosenOrCreated) {
    openMapFile();
    const std::string other = dir.file("new.MAP");
    ui.dialogs.answers = {Dialogs::Answer::No};
    ui.dialogs.files = {QString::fromStdString(kap), QString::fromStdString(other)};
    whenSelectionShows([] {});
    mapA->ImportChart1->trigger();
    EXPECT_EQ(ui.dialogs.fileDialogTitles, (QStringList{QStringLiteral("Import chart"),
                                                        QStringLiteral("Import into map-file")}));
    EXPECT_EQ(ui.program.chart.MapFilePath, other);
    EXPECT_EQ(ui.program.chart.Table[0].FileName, "approaches-1.bmp");
}

TEST_F(ImportMenu, ACancelledOrRefusedImportChangesNothing) {
    openMapFile();
    const std::string before = contentsOf(map);
    const std::string picture = dir.file("photo.bmp");
    {
        const Bytes bytes = PaletteBitmap(4, 4).finish({});
        std::ofstream(picture, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    // Cancel is pressed while the chart is read.
    const auto gdal = ui.context.makers.rasterLibrary;
    ui.context.makers.rasterLibrary = [gdal](QString& reason) {
        return std::unique_ptr<RasterLibrary>(new UntilCancelled(gdal(reason)));
    };
    ui.dialogs.files = {QString::fromStdString(kap)};
    QTimer::singleShot(0, [this] {
        if (auto* progress = mapA->findChild<QProgressDialog*>())
            progress->cancel();
    });
    mapA->ImportChart1->trigger();
    EXPECT_EQ(ui.dialogs.shown.size(), 1u) << "the question only";
    ui.context.makers.rasterLibrary = gdal;
    // A picture without a georeference is refused.
    ui.dialogs.shown.clear();
    ui.dialogs.files = {QString::fromStdString(picture)};
    mapA->ImportChart1->trigger();
    EXPECT_EQ(ui.dialogs.shown.back(),
              (testing::Box{Warning, QStringLiteral("Import failed: %1: it has no georeference")
                                         .arg(QString::fromStdString(picture))}));
    EXPECT_EQ(contentsOf(map), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              3)
        << "no tile is left";
    EXPECT_EQ(ui.program.chart.Table[1].FileName, "");
}

TEST_F(ImportMenu, WithoutItsModuleTheImportSaysItIsNotAvailable) {
    ui.context.makers.rasterLibrary = [](QString& reason) {
        return loadRasterLibrary(QStringLiteral("no-such-folder"), reason);
    };
    ui.dialogs.files = {QString::fromStdString(kap), QString::fromStdString(map)};
    mapA->ImportChart1->trigger();
    ASSERT_EQ(ui.dialogs.shown.size(), 1u);
    EXPECT_EQ(ui.dialogs.shown[0].kind, Warning);
    EXPECT_TRUE(
        ui.dialogs.shown[0].text.startsWith(QStringLiteral("Chart import is not available: ")));
    EXPECT_TRUE(ui.dialogs.shown[0].text.contains(QString::fromLatin1(chartImportModuleName)));
}

// Opens nothing until a timer of the window thread has run, or gives up after a while.
class WaitingLibrary : public RasterLibrary {
public:
    std::unique_ptr<GeoRaster> open(const std::string&, std::string& reason) override {
        for (int wait = 0; wait < 2000 && !released; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        reason = released ? "opened while the window went on" : "the window was held up";
        return nullptr;
    }
    std::atomic<bool> released{false};
};

TEST_F(ImportMenu, TheWindowThreadGoesOnWhileTheLibraryWorks) {
    auto* library = new WaitingLibrary;
    ui.context.makers.rasterLibrary = [library](QString&) {
        return std::unique_ptr<RasterLibrary>(library);
    };
    ui.dialogs.files = {QString::fromStdString(kap), QString::fromStdString(map)};
    int ticks = 0;
    QTimer tick; // as reception's and the alarms' timers
    QObject::connect(&tick, &QTimer::timeout, [&] { library->released = ++ticks >= 3; });
    tick.start(1);
    mapA->ImportChart1->trigger();
    EXPECT_TRUE(ui.dialogs.shown.back().text.endsWith(": opened while the window went on"));
}

} // namespace
} // namespace brisomar
