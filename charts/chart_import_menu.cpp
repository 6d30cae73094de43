#include "charts/chart_import_menu.h"

#include "base/dialogs.h"
#include "base/program_modules.h"
#include "charts/chart_selection.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace brisomar {

namespace {

constexpr int progressPollMs = 50;

const Dialogs::FileChoice chartChoice{
    QStringLiteral("Import chart"),
    QStringLiteral("Charts (*.kap *.KAP *.tif *.tiff *.TIF *.TIFF *.png *.PNG *.jpg *.jpeg *.JPG "
                   "*.gif *.bmp *.BMP);;All files (*)"),
    QString()};
const Dialogs::FileChoice mapChoice{QStringLiteral("Import into map-file"),
                                    QStringLiteral("MAP-files (*.MAP *.map)"),
                                    QStringLiteral("MAP")};

// The map file to import into: the one open if the sailor keeps it, else one chosen (it may not
// exist yet).
std::optional<QString> targetMapFile(UiContext& context) {
    const std::string& open = context.program.chart.MapFilePath;
    if (!open.empty() &&
        context.dialogs.confirmYesNo(
            QStringLiteral("Import into the map-file %1?").arg(QString::fromStdString(open))) ==
            Dialogs::Answer::Yes)
        return QString::fromStdString(open);
    return context.dialogs.saveFileName(mapChoice, false);
}

void warnIfAny(UiContext& context, const std::optional<std::string>& warning) {
    if (warning)
        context.dialogs.warning(QString::fromStdString(*warning));
}

// Imports on a thread of its own while the window's events go on, so that reception, alarms and
// the chart keep their timers however long the raster library takes; the progress bar follows
// it and Cancel stops it at its next report. Ending the program meanwhile cancels it too.
ChartImportResult importAside(FileSystem& files, RasterLibrary& library,
                              const ChartImportRequest& request, QWidget* parent) {
    constexpr int steps = 1000;
    std::atomic<int> done{0};
    std::atomic<bool> cancel{false}, finished{false};
    ChartImportResult result;
    std::thread worker([&] {
        result = importCharts(files, library, request, [&](double part) {
            done = static_cast<int>(part * steps);
            return !cancel;
        });
        finished = true;
    });
    QProgressDialog progress(QStringLiteral("Importing charts..."), QStringLiteral("Cancel"), 0,
                             steps, parent);
    progress.setWindowTitle(QStringLiteral("Import chart"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setValue(0);
    QEventLoop waiting;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &waiting, [&] {
        cancel = cancel || progress.wasCanceled();
        progress.setValue(done);
        if (finished)
            waiting.quit();
    });
    poll.start(progressPollMs);
    waiting.exec();
    cancel = cancel || !finished;
    worker.join();
    progress.close();
    return result;
}

} // namespace

std::unique_ptr<RasterLibrary> loadRasterLibrary(const QString& folder, QString& reason) {
    const auto make = reinterpret_cast<RasterLibraryMaker>(
        moduleFunction(folder, chartImportModuleName, rasterLibraryMaker, reason));
    return std::unique_ptr<RasterLibrary>(make ? make() : nullptr);
}

std::optional<int> importChartsFromMenu(UiContext& context, QWidget* parent) {
    const auto sources = context.dialogs.openFileNames(chartChoice);
    if (!sources)
        return std::nullopt;
    const auto map = targetMapFile(context);
    if (!map)
        return std::nullopt;
    QString reason;
    const auto library =
        context.makers.rasterLibrary ? context.makers.rasterLibrary(reason) : nullptr;
    if (!library) {
        context.dialogs.warning(QStringLiteral("Chart import is not available: %1").arg(reason));
        return std::nullopt;
    }
    ChartImportRequest request{{}, map->toStdString(), "", 1};
    for (const QString& source : *sources)
        request.sources.push_back(source.toStdString());

    const ChartImportResult result = importAside(context.files, *library, request, parent);
    if (result.cancelled)
        return std::nullopt;
    if (!result.imported()) {
        context.dialogs.warning(
            QStringLiteral("Import failed: %1").arg(QString::fromStdString(result.refusal)));
        return std::nullopt;
    }
    ChartSelection& selection = context.program.selection;
    bool opened = false;
    warnIfAny(context, selection.openMapFile(context.files, request.mapFile, opened));
    const int first = result.tiles.front().record;
    if (opened)
        warnIfAny(context, selection.showRecord(context.files, first));
    return first;
}

} // namespace brisomar
