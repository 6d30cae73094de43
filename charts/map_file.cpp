#include "charts/map_file.h"

#include "base/cp1252.h"

#include <algorithm>

namespace brisomar {

namespace {

constexpr std::size_t textSize = 256;

class RecordWriter {
public:
    explicit RecordWriter(std::uint8_t* at) : at_(at) {}

    void text(const std::string& utf8) {
        const std::string bytes = utf8ToCp1252(utf8).substr(0, textSize - 1);
        at_[0] = static_cast<std::uint8_t>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), at_ + 1);
        at_ += textSize;
    }
    void reals(const std::array<Real48, 7>& values) {
        for (const Real48& v : values)
            at_ = std::copy(v.bytes().begin(), v.bytes().end(), at_);
    }
    void integers(const std::array<std::int32_t, 7>& values) {
        for (const std::int32_t v : values)
            for (int i = 0; i < 4; ++i)
                *at_++ = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
    }

private:
    std::uint8_t* at_;
};

class RecordReader {
public:
    explicit RecordReader(const std::uint8_t* at) : at_(at) {}

    std::string text() {
        const auto* chars = reinterpret_cast<const char*>(at_ + 1);
        std::string utf8 = cp1252ToUtf8(std::string_view(chars, at_[0]));
        at_ += textSize;
        return utf8;
    }
    std::array<Real48, 7> reals() {
        std::array<Real48, 7> values;
        for (Real48& v : values) {
            Real48::Bytes raw;
            std::copy_n(at_, raw.size(), raw.begin());
            v = Real48::fromBytes(raw);
            at_ += raw.size();
        }
        return values;
    }
    std::array<std::int32_t, 7> integers() {
        std::array<std::int32_t, 7> values;
        for (std::int32_t& v : values) {
            std::uint32_t bits = 0;
            for (int i = 3; i >= 0; --i)
                bits = (bits << 8) | at_[i];
            v = static_cast<std::int32_t>(bits);
            at_ += 4;
        }
        return values;
    }

private:
    const std::uint8_t* at_;
};

} // namespace

Bytes encodeMapFile(const MapTable& table) {
    Bytes bytes(mapFileSize, 0);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const MapRecord& r = table[i];
        RecordWriter out(bytes.data() + i * mapRecordSize);
        out.text(r.FileName);
        out.text(r.InfoText);
        out.reals(r.CalLat);
        out.reals(r.CalLon);
        out.integers(r.CalRow);
        out.integers(r.CalCol);
    }
    return bytes;
}

std::optional<MapTable> decodeMapFile(const Bytes& bytes) {
    if (bytes.size() < mapFileSize)
        return std::nullopt;
    MapTable table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        MapRecord& r = table[i];
        RecordReader in(bytes.data() + i * mapRecordSize);
        r.FileName = in.text();
        r.InfoText = in.text();
        r.CalLat = in.reals();
        r.CalLon = in.reals();
        r.CalRow = in.integers();
        r.CalCol = in.integers();
    }
    return table;
}

std::optional<MapTable> readMapFile(FileSystem& files, const std::string& path,
                                    std::string& error) {
    const auto bytes = files.read(path, 0, mapFileSize, error);
    if (!bytes)
        return std::nullopt;
    const auto table = decodeMapFile(*bytes);
    if (!table)
        error = "the file holds fewer than 16300 bytes";
    return table;
}

} // namespace brisomar
