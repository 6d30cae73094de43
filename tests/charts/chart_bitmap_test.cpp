#include "charts/chart_bitmap.h"

#include "bitmap_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brisomar {
namespace {

using testing::BitmapClaim;
using testing::bitmapHeaders;
using testing::claimedPixelBytes;

constexpr std::uint64_t rowsHeld = ~std::uint64_t{0}; // the file holds every row claimed

struct HeaderCase {
    std::string name;
    BitmapClaim claim;
    std::uint64_t pixelBytesInFile = rowsHeld;
    std::optional<ChartBitmapShape> expected = std::nullopt;
};

// Judged, as the chart reader does, from the first chartHeadBytes of the file.
std::optional<ChartBitmapShape> judged(const HeaderCase& c) {
    const auto headers = bitmapHeaders(c.claim);
    const std::uint64_t pixels =
        c.pixelBytesInFile == rowsHeld ? claimedPixelBytes(c.claim) : c.pixelBytesInFile;
    const std::span<const std::uint8_t> head(headers.data(),
                                             std::min(headers.size(), chartHeadBytes));
    return chartBitmapShape(head, headers.size() + pixels);
}

TEST(ChartBitmapShape, TakesWhatTheChartReaderDecodesWithinTheSizeLimit) {
    const std::vector<HeaderCase> cases = {
        {"1-bit, the largest square chart", {12300, 12300, 1}, rowsHeld, {{12300, 12300, 1}}},
        {"4-bit", {100, 50, 4}, rowsHeld, {{100, 50, 4}}},
        {"8-bit", {100, 50, 8}, rowsHeld, {{100, 50, 8}}},
        {"16-bit", {100, 50, 16}, rowsHeld, {{100, 50, 16}}},
        {"24-bit just under the limit", {2520, 2500, 24}, rowsHeld, {{2520, 2500, 24}}},
        {"32-bit", {100, 50, 32}, rowsHeld, {{100, 50, 32}}},
        {"16-bit with masks", {100, 50, 16, 3}, rowsHeld, {{100, 50, 16}}},
        {"32-bit with masks", {100, 50, 32, 3}, rowsHeld, {{100, 50, 32}}},
        {"top-down rows", {100, -50, 8}, rowsHeld, {{100, 50, 8}}},
        {"old 12-byte header", {300, 200, 8, 0, 12}, rowsHeld, {{300, 200, 8}}},
        {"OS/2 2 header", {100, 50, 8, 0, 64}, rowsHeld, {{100, 50, 8}}},
        {"Windows 4 header", {100, 50, 24, 0, 108}, rowsHeld, {{100, 50, 24}}},
        {"Windows 5 header", {100, 50, 24, 0, 124}, rowsHeld, {{100, 50, 24}}},
        // Run lengths may pack many rows into few bytes; what they unpack to is bounded.
        {"8-bit run lengths in a small file", {4000, 4000, 8, 1}, 1000, {{4000, 4000, 8}}},
        {"4-bit run lengths in a small file", {7000, 5000, 4, 2}, 1000, {{7000, 5000, 4}}},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(judged(c), c.expected);
    }
}

TEST(ChartBitmapShape, RefusesWhatClaimsMoreThanAChartHoldsOrIsNoBitmapItKnows) {
    const std::vector<HeaderCase> cases = {
        {"1-bit, one row more than the file holds", {12300, 12301, 1}, 1540u * 12300},
        {"8-bit rows cut short", {100, 50, 8}, 4999},
        {"1-bit, 16000 square in 2 KB", {16000, 16000, 1}, 2000},
        {"1-bit, more than the limit even when the file held it", {16000, 16000, 1}},
        {"24-bit at the limit", {2000, 3167, 24}}, // 6000 × 3167 = 19,002,000 bytes
        {"8-bit run lengths unpacking past the limit", {5000, 4000, 8, 1}, 1000},
        {"2 bits a pixel", {100, 50, 2}},
        {"64 bits a pixel", {100, 50, 64}},
        {"masks on 24 bits", {100, 50, 24, 3}},
        {"8-bit run lengths on 4 bits", {100, 50, 4, 1}},
        {"4-bit run lengths on 8 bits", {100, 50, 8, 2}},
        {"JPEG inside", {100, 50, 24, 4}},
        {"header of 56 bytes", {100, 50, 8, 0, 56}},
        {"two planes", {100, 50, 8, 0, 40, 2}},
        {"no width", {0, 50, 8}},
        {"negative width", {-100, 50, 8}},
        {"no height", {100, 0, 8}},
        {"the lowest height", {100, INT_MIN, 1}},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(judged(c), std::nullopt);
    }
}

TEST(ChartBitmapShape, RefusesWhatIsNoBitmapBeforeLookingFurther) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N',  'G', '\r', '\n', 0x1A, '\n', 0,    0,
                                           0,    13,  'I',  'H', 'D',  'R',  0,    0,    0x30, 0,
                                           0,    0,   0x30, 0,   8,    6,    0,    0};
    EXPECT_EQ(chartBitmapShape(png, 514000), std::nullopt);
    auto head = bitmapHeaders({100, 50, 8});
    head.resize(20); // cut inside the information header
    EXPECT_EQ(chartBitmapShape(head, 100000), std::nullopt);
    EXPECT_EQ(chartBitmapShape({}, 0), std::nullopt);
    auto offsetPastTheEnd = bitmapHeaders({100, 50, 8});
    testing::putU32(offsetPastTheEnd, 10, 0xFFFFFFF0u);
    EXPECT_EQ(chartBitmapShape(offsetPastTheEnd, 100000), std::nullopt);
}

// Pictures in grey levels, row by row.
using Grey = std::vector<std::vector<std::uint8_t>>;

Grey reduced(const Grey& source, int width, int height) {
    const int sourceWidth = static_cast<int>(source.front().size());
    ReducedPicture picture(sourceWidth, static_cast<int>(source.size()), width, height);
    for (std::size_t y = 0; y < source.size(); ++y) {
        std::vector<Rgb> row;
        for (const std::uint8_t level : source[y])
            row.push_back({level, level, level});
        picture.add(0, static_cast<int>(y), row);
    }
    Grey result(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = picture.pixel(x, y);
            EXPECT_TRUE(c.r == c.g && c.g == c.b);
            result[static_cast<std::size_t>(y)].push_back(c.r);
        }
    return result;
}

TEST(ReducedPicture, AveragesTheSourcePixelsOnEachReducedPixel) {
    const struct {
        std::string name;
        Grey source;
        int width, height;
        Grey expected;
    } cases[] = {
        {"halved both ways", {{0, 255, 10, 10}, {255, 0, 30, 30}}, 2, 1, {{128, 20}}},
        {"three columns on two", {{0, 90, 30}}, 2, 1, {{0, 60}}},
        {"rounded to the nearest level", {{0, 1, 1}}, 1, 1, {{1}}},
        {"enlarged by repeating", {{0, 200}}, 4, 2, {{0, 0, 200, 200}, {0, 0, 200, 200}}},
        {"same size", {{1, 2}, {3, 4}}, 2, 2, {{1, 2}, {3, 4}}},
        {"a thin line stays as grey", {{255, 255, 0, 255, 255, 255}}, 1, 1, {{213}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(reduced(c.source, c.width, c.height), c.expected);
    }
}

TEST(ReducedPicture, TakesARowInPartsAndIgnoresWhatLiesOutside) {
    ReducedPicture picture(4, 1, 2, 1);
    const std::vector<Rgb> left = {{0, 0, 0}, {0, 0, 0}, {100, 0, 0}};
    const std::vector<Rgb> right = {{200, 40, 0}, {50, 50, 50}};
    picture.add(0, 0, left);
    picture.add(3, 0, right); // its second pixel lies past the source
    picture.add(0, 1, right); // a row past the source
    picture.add(-1, 0, right);
    EXPECT_EQ(picture.pixel(0, 0), black);
    EXPECT_EQ(picture.pixel(1, 0), (Rgb{150, 20, 0}));

    ReducedPicture empty(10, 10, 2, 2);
    EXPECT_EQ(empty.pixel(1, 1), black); // nothing added
}

} // namespace
} // namespace brisomar
