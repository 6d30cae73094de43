#include "charts/chart_selection.h"

#include "app/utf8.h"
#include "charts/chart_geometry.h"
#include "charts/map_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace brisomar {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t maxCaptionCharacters = 255;

bool isFile(const fs::path& path) {
    std::error_code code;
    return fs::is_regular_file(path, code);
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<std::string> inFolderIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(folder, code))
        if (lowerCase(entry.path().filename().string()) == lowerCase(name) && isFile(entry.path()))
            return entry.path().string();
    return std::nullopt;
}

// Strictly inside the record's edges.
bool recordHolds(const MapRecord& r, const NavState& nav) {
    return r.lat(1).value() > nav.PosLat.value() && nav.PosLat.value() > r.lat(7).value() &&
           r.lon(1).value() > nav.PosLon.value() && nav.PosLon.value() > r.lon(7).value();
}

} // namespace

std::optional<std::string> findChartFile(const std::string& fileName,
                                         const std::string& mapFilePath) {
    if (fileName.empty())
        return std::nullopt;
    if (isFile(fileName))
        return fileName;
    std::string slashed = fileName;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (isFile(slashed))
        return slashed;
    const std::string baseName = fs::path(slashed).filename().string();
    const fs::path folder = fs::path(mapFilePath).parent_path();
    return inFolderIgnoringCase(folder.empty() ? fs::path(".") : folder, baseName);
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

bool ChartSelection::CheckMapRecord(FileSystem& files, std::optional<std::string>& warning) {
    chart_.ChartUsable = false;
    const MapRecord& r = chart_.record();
    if (!(r.lat(1).value() > r.lat(7).value() && r.lon(1).value() > r.lon(7).value()))
        return false;
    const auto bitmap = findChartFile(r.FileName, chart_.MapFilePath);
    if (!bitmap)
        return false;
    std::string error;
    const auto size = files.read(*bitmap, 0, 0, error) ? files.size(*bitmap, error) : std::nullopt;
    if (!size) {
        if (!chart_.AutoSelect)
            warning = "File access error";
        return false;
    }
    if (*size >= maxChartFileBytes) {
        if (!chart_.AutoSelect)
            warning = "File too big (this version max 19000000 bytes)";
        return false;
    }
    chart_.ChartUsable = true;
    return true;
}

std::optional<std::string> ChartSelection::SelectMapRecord(FileSystem& files) {
    std::optional<std::string> warning;
    if (!CheckMapRecord(files, warning))
        return warning;
    const MapRecord& r = chart_.record();
    chart_.ChartFileName = *findChartFile(r.FileName, chart_.MapFilePath);
    chart_.ChartNWLat = r.lat(1);
    chart_.ChartSELat = r.lat(7);
    chart_.ChartNWLon = r.lon(1);
    chart_.ChartSELon = r.lon(7);
    chart_.ReloadRequest = true;
    CountCalibrationPoints(chart_);
    return warning;
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
    return !chart_.ChartUsable && chart_.ChartWindowShown;
}

} // namespace brisomar
