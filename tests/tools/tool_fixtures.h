#pragma once

#include "base/clock.h"
#include "base/file_system.h"
#include "charts/chart_state.h"
#include "navcalc/boat_tables.h"
#include "records/log_record.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <string>

namespace brisomar::testing {

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline void writeFile(const std::string& path, const Bytes& bytes) {
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

inline std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline Bytes readBytes(const std::string& path) {
    const std::string text = readText(path);
    return Bytes(text.begin(), text.end());
}

// The names in a folder.
inline std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A Real48 of random bits: any exponent, fraction and sign.
inline Real48 randomReal48(std::mt19937& random) {
    Real48::Bytes bytes;
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    bytes[0] = static_cast<std::uint8_t>(1 + random() % 255);
    return Real48::fromBytes(bytes);
}

// A full map table: every number random, texts with characters beyond ASCII.
inline MapTable randomMapTable(unsigned seed) {
    std::mt19937 random(seed);
    MapTable table;
    for (int i = 0; i < mapRecordCount; ++i) {
        MapRecord& r = table[i];
        r.FileName = "chart-" + std::to_string(i) + "-côte.bmp";
        r.InfoText = "Baie \"n°" + std::to_string(i) + "\" – 1:50 000";
        for (int p = 0; p < 7; ++p) {
            r.CalLat[p] = randomReal48(random);
            r.CalLon[p] = randomReal48(random);
            r.CalRow[p] = static_cast<std::int32_t>(random());
            r.CalCol[p] = static_cast<std::int32_t>(random());
        }
    }
    return table;
}

// A local date and time as the log stores it.
inline double logTime(int year, int month, int day, int hour, int minute) {
    return dateTimeValue(LocalDateTime{year, month, day, hour, minute, 0, 0});
}

// The machine's time zone set for a test and put back after it.
class TimeZone {
public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

private:
    std::optional<std::string> old_;
};

// Central European time: UTC+1, UTC+2 in summer.
inline constexpr const char* centralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

} // namespace brisomar::testing
