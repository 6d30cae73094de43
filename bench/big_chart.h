#pragma once

#include <QImage>
#include <QString>

#include <filesystem>
#include <string>

namespace brisomar::bench {

inline constexpr int bigChartSide = 12300;

// A square 1-bit chart bitmap of bigChartSide pixels a side, 18.9 MB: near the largest file the
// navigator accepts. Written once into the temporary folder and kept for later runs.
inline const std::string& bigChart() {
    static const std::string path = [] {
        const std::string name = "brisomar-bench-chart-" + std::to_string(bigChartSide) + ".bmp";
        const std::string file = (std::filesystem::temp_directory_path() / name).string();
        if (!std::filesystem::exists(file)) {
            QImage image(bigChartSide, bigChartSide, QImage::Format_Mono);
            image.fill(1);
            image.save(QString::fromStdString(file), "BMP");
        }
        return file;
    }();
    return path;
}

} // namespace brisomar::bench
