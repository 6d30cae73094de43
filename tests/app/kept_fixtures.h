#pragma once

#include "app/kept_settings.h"
#include "charts/chart_fixtures.h"
#include "charts/map_file.h"
#include "temp_dir.h"

#include <QImage>
#include <QSettings>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace brisomar::testing {

// Two charts of 100 pixels a degree, 1° W to 2° W: record 1 from 50° N to 51° N, record 2 from
// 52° N to 53° N. Gives the map file's path.
inline std::string writeTwoCharts(const TempDir& dir) {
    MapTable table{};
    const struct {
        const char* bitmap;
        long double north, south;
    } charts[] = {{"south.bmp", 51, 50}, {"north.bmp", 53, 52}};
    for (int i = 0; i < 2; ++i) {
        const std::string bitmap = dir.file(charts[i].bitmap);
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.save(QString::fromStdString(bitmap), "BMP");
        table[i] = recordBetween(bitmap, charts[i].north, 2, charts[i].south, 1);
    }
    const std::string path = dir.file("charts.MAP");
    const Bytes bytes = encodeMapFile(table);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeContents(const std::string& path, const std::string& contents) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

// A settings file as the navigator writes it.
inline void writeSettingsFile(const std::string& path, const KeptSettings& settings) {
    QSettings file(QString::fromStdString(path), QSettings::IniFormat);
    for (const auto& [key, value] : keptValues(settings))
        file.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

inline std::string settingsValue(const std::string& path, const char* key) {
    return QSettings(QString::fromStdString(path), QSettings::IniFormat)
        .value(QLatin1String(key))
        .toString()
        .toStdString();
}

} // namespace brisomar::testing
