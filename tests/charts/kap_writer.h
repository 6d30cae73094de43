#pragma once

#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace brisomar::testing {

// A small BSB/KAP raster chart, written from the public description of the format: a text
// header (chart name and size, projection, palette, reference points and border), ended by
// Ctrl-Z and a zero byte; the colour depth in bits; each row as its 1-based number and runs of
// colour; then the offset of every row and of that index itself, 32-bit big-endian.
struct KapChart {
    std::string name;
    int width = 0, height = 0;
    double north = 0, south = 0, westEast = 0, eastEast = 0; // degrees, longitudes east positive
    std::vector<std::uint8_t> rgb; // three bytes a colour, colour 1 first (at most 15 colours)
    std::function<int(int x, int y)> colour; // 1 .. colours, of the pixel
};

inline double mercatorY(double lat) {
    return std::log(std::tan(M_PI / 4 + lat * M_PI / 360));
}

// Where latitude `lat` lies on the chart's rows (a Mercator chart).
inline double kapRow(const KapChart& chart, double lat) {
    return (mercatorY(chart.north) - mercatorY(lat)) /
           (mercatorY(chart.north) - mercatorY(chart.south)) * chart.height;
}

inline std::string kapHeader(const KapChart& c) {
    std::ostringstream h;
    h.precision(12);
    h << "! A chart made by the tests\r\n"
      << "VER/3.0\r\n"
      << "BSB/NA=" << c.name << ",NU=999,RA=" << c.width << ',' << c.height << ",DU=254\r\n"
      << "KNP/SC=20000,GD=WGS84,PR=MERCATOR,PP=" << (c.north + c.south) / 2
      << ",PI=UNKNOWN,SP=UNKNOWN,SK=0.0,TA=90.0,UN=METERS,SD=MLLW,DX=10.0,DY=10.0\r\n";
    for (std::size_t i = 0; i * 3 < c.rgb.size(); ++i)
        h << "RGB/" << i + 1 << ',' << int(c.rgb[3 * i]) << ',' << int(c.rgb[3 * i + 1]) << ','
          << int(c.rgb[3 * i + 2]) << "\r\n";
    // Reference points on a 3 x 3 grid, each where the Mercator projection puts it.
    int n = 0;
    for (int i = 0; i <= 2; ++i)
        for (int j = 0; j <= 2; ++j) {
            const double lat = c.north + (c.south - c.north) * i / 2;
            const double lon = c.westEast + (c.eastEast - c.westEast) * j / 2;
            h << "REF/" << ++n << ',' << std::lround(c.width * j / 2.0) << ','
              << std::lround(kapRow(c, lat)) << ',' << lat << ',' << lon << "\r\n";
        }
    const double corners[][2] = {
        {c.north, c.westEast}, {c.north, c.eastEast}, {c.south, c.eastEast}, {c.south, c.westEast}};
    for (int i = 0; i < 4; ++i)
        h << "PLY/" << i + 1 << ',' << corners[i][0] << ',' << corners[i][1] << "\r\n";
    h << "DTM/0.0,0.0\r\n";
    return h.str();
}

// The number in 7-bit groups, high group first, each but the last with its top bit set.
inline void putKapNumber(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::vector<std::uint8_t> groups;
    groups.push_back(static_cast<std::uint8_t>(value & 0x7F));
    value >>= 7;
    while (value) {
        groups.push_back(static_cast<std::uint8_t>(value & 0x7F));
        value >>= 7;
    }
    for (std::size_t i = groups.size(); i-- > 0;)
        out.push_back(static_cast<std::uint8_t>(groups[i] | (i ? 0x80 : 0)));
}

inline void writeKap(const std::string& path, const KapChart& c) {
    constexpr int depth = 4; // colours 1 .. 15; a run's first byte keeps 3 bits of its length
    std::vector<std::uint8_t> bytes;
    const std::string header = kapHeader(c);
    bytes.assign(header.begin(), header.end());
    bytes.push_back(0x1A);
    bytes.push_back(0);
    bytes.push_back(depth);
    std::vector<std::uint32_t> rowStarts;
    for (int y = 0; y < c.height; ++y) {
        rowStarts.push_back(static_cast<std::uint32_t>(bytes.size()));
        putKapNumber(bytes, static_cast<std::uint32_t>(y + 1));
        for (int x = 0; x < c.width;) {
            const int value = c.colour(x, y);
            int run = 1;
            while (x + run < c.width && c.colour(x + run, y) == value)
                ++run;
            // The first byte: colour in bits 6..3, the top 3 bits of (run - 1) in bits 2..0;
            // further bytes carry 7 bits each while the top bit is set.
            std::uint32_t count = static_cast<std::uint32_t>(run - 1);
            std::vector<std::uint8_t> tail;
            while (count > 7) {
                tail.push_back(static_cast<std::uint8_t>(count & 0x7F));
                count >>= 7;
            }
            const bool more = !tail.empty();
            bytes.push_back(static_cast<std::uint8_t>((more ? 0x80 : 0) | (value << 3) | count));
            for (std::size_t i = tail.size(); i-- > 0;)
                bytes.push_back(static_cast<std::uint8_t>(tail[i] | (i ? 0x80 : 0)));
            x += run;
        }
        bytes.push_back(0);
    }
    const auto putBigEndian = [&bytes](std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    const auto indexStart = static_cast<std::uint32_t>(bytes.size());
    for (const std::uint32_t start : rowStarts)
        putBigEndian(start);
    putBigEndian(indexStart);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace brisomar::testing
