#include "charts/chart_selection.h"

#include "base/utf8.h"
#include "charts/chart_geometry.h"
#include "charts/map_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace brisomar {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t maxCaptionCharacters = 255;

// A regular file, or a link to one: what the file system gives a size for.
bool isFile(FileSystem& files, const std::string& path) {
    std::string ignored;
    return files.size(path, ignored).has_value();
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A folder that cannot be read holds nothing to find.
std::optional<std::string> inFolderIgnoringCase(FileSystem& files, const fs::path& folder,
                                                const std::string& name) {
    std::string ignored;
    const auto entries = files.folderEntries(folder.string(), ignored);
    if (!entries)
        return std::nullopt;
    for (const std::string& entry : *entries) {
        const std::string path = (folder / entry).string();
        if (lowerCase(entry) == lowerCase(name) && isFile(files, path))
            return path;
    }
    return std::nullopt;
}

// Strictly inside the record's edges.
bool recordHolds(const MapRecord& r, const NavState& nav) {
    const ChartCorners c = recordCorners(r);
    return c.NWLat.value() > nav.PosLat.value() && nav.PosLat.value() > c.SELat.value() &&
           c.NWLon.value() > nav.PosLon.value() && nav.PosLon.value() > c.SELon.value();
}

} // namespace

std::optional<std::string> findChartFile(FileSystem& files, const std::string& fileName,
                                         const std::string& mapFilePath) {
    if (fileName.empty())
        return std::nullopt;
    std::string slashed = fileName;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const fs::path folder = fs::path(mapFilePath).parent_path();
    if (const fs::path beside = folder / slashed;
        !folder.empty() && fs::path(slashed).is_relative() && isFile(files, beside.string()))
        return beside.lexically_normal().string();
    if (isFile(files, fileName))
        return fileName;
    if (isFile(files, slashed))
        return slashed;
    const std::string baseName = fs::path(slashed).filename().string();
    return inFolderIgnoringCase(files, folder.empty() ? fs::path(".") : folder, baseName);
}

std::string recordCaption(const std::string& prefix, const std::string& text) {
    return std::string(utf8Substring(prefix + text, 0, maxCaptionCharacters));
}

std::optional<std::string> ChartSelection::openMapFile(FileSystem& files, const std::string& path,
                                                       bool& opened) {
    std::string error;
    const auto table = readMapFile(files, path, error);
    opened = table.has_value();
    chart_.MapIndex = 1;
    if (!table) {
        chart_.MapFilePath.clear();
        chart_.AutoSelect = false;
        return std::nullopt;
    }
    chart_.Table = *table;
    chart_.MapFilePath = path;
    recordField_ = 1;
    if (onRecordShown)
        onRecordShown(1);
    return SelectMapRecord(files);
}

ChartSelection::RecordCheck ChartSelection::CheckMapRecord(FileSystem& files) {
    chart_.ChartUsable = false;
    const MapRecord& r = chart_.record();
    const ChartCorners c = recordCorners(r);
    if (!(c.NWLat.value() > c.SELat.value() && c.NWLon.value() > c.SELon.value()))
        return {};
    const auto bitmap = findChartFile(files, r.FileName, chart_.MapFilePath);
    if (!bitmap)
        return {};
    std::string error;
    const auto size = files.read(*bitmap, 0, 0, error) ? files.size(*bitmap, error) : std::nullopt;
    if (size && *size < maxChartFileBytes) {
        chart_.ChartUsable = true;
        return {bitmap, std::nullopt};
    }
    if (chart_.AutoSelect) // the search passes over records silently
        return {};
    return {std::nullopt,
            size ? "File too big (this version max 19000000 bytes)" : "File access error"};
}

std::optional<std::string> ChartSelection::SelectMapRecord(FileSystem& files) {
    const RecordCheck check = CheckMapRecord(files);
    if (check.bitmap) {
        chart_.ChartFileName = *check.bitmap;
        useRecordCorners(chart_);
        chart_.ReloadRequest = true;
    }
    return check.warning;
}

std::optional<std::string> ChartSelection::showRecord(FileSystem& files, int record) {
    recordField_ = record;
    chart_.MapIndex = record;
    if (onRecordShown)
        onRecordShown(record);
    return SelectMapRecord(files);
}

void ChartSelection::setRecordField(FileSystem& files, int record) {
    if (record != recordField_)
        showRecord(files, record);
}

void ChartSelection::AutoSelectChart(FileSystem& files, const NavState& nav) {
    const int remembered = chart_.MapIndex;
    for (int index = 1; index <= mapRecordCount; ++index) {
        chart_.MapIndex = index;
        setRecordField(files, index);
        if (onRecordShown)
            onRecordShown(index);
        if (recordHolds(chart_.Table[index - 1], nav)) {
            SelectMapRecord(files);
            return;
        }
    }
    chart_.MapIndex = remembered;
    setRecordField(files, remembered);
    SelectMapRecord(files);
}

bool ChartSelection::offChart(const NavState& nav) const {
    return nav.PosLat.value() > chart_.ChartNWLat.value() ||
           nav.PosLat.value() < chart_.ChartSELat.value() ||
           nav.PosLon.value() > chart_.ChartNWLon.value() ||
           nav.PosLon.value() < chart_.ChartSELon.value() || !chart_.ChartUsable;
}

bool ChartSelection::tick(FileSystem& files, const NavState& nav) {
    if (chart_.AutoSelect && offChart(nav) && ++chart_.AutoSelectTicks > 10) {
        AutoSelectChart(files, nav);
        chart_.AutoSelectTicks = 0;
    }
    return noticeWanted();
}

// A sailor who has not chosen a map file yet is not told that a chart is unusable.
bool ChartSelection::noticeWanted() const {
    return !chart_.ChartUsable && chart_.ChartWindowShown && !chart_.MapFilePath.empty();
}

} // namespace brisomar
