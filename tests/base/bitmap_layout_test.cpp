#include "base/bitmap_layout.h"

#include "bitmap_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace brisomar {
namespace {

using testing::putU16;
using testing::putU32;

// A bitmap file as the usual tools write it: 24-bit with a 40-byte header, 32-bit with a
// 124-byte header carrying blue-green-red-alpha masks.
std::vector<std::uint8_t> bitmapFile(int width, int height, int bits) {
    const std::size_t header = bits == 32 ? 124 : 40;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    std::vector<std::uint8_t> bytes(14 + header + stride * rows);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putU32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    putU32(bytes, 10, static_cast<std::uint32_t>(14 + header));
    putU32(bytes, 14, static_cast<std::uint32_t>(header));
    putU32(bytes, 18, static_cast<std::uint32_t>(width));
    putU32(bytes, 22, static_cast<std::uint32_t>(height));
    putU16(bytes, 26, 1);
    putU16(bytes, 28, static_cast<std::uint16_t>(bits));
    if (bits == 32) {
        putU32(bytes, 30, 3);
        putU32(bytes, 54, 0x00FF0000);
        putU32(bytes, 58, 0x0000FF00);
        putU32(bytes, 62, 0x000000FF);
        putU32(bytes, 66, 0xFF000000);
    }
    return bytes;
}

TEST(BitmapLayout, TellsWhereTheRowsOfA24BitBitmapLie) {
    const auto file = bitmapFile(383, 255, 24);
    const auto layout = uncompressedBitmapLayout(file);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->width, 383);
    EXPECT_EQ(layout->height, 255);
    EXPECT_EQ(layout->bitsPerPixel, 24);
    EXPECT_EQ(layout->rowStride, 1152u); // 1149 bytes padded to a multiple of four
    EXPECT_EQ(layout->pixelOffset, 54u);
    EXPECT_TRUE(layout->bottomUp);
}

TEST(BitmapLayout, TakesA32BitBitmapWithItsMasksAndANegativeHeightAsTopDown) {
    const auto file = bitmapFile(64, -64, 32);
    const auto layout = uncompressedBitmapLayout(file);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->height, 64);
    EXPECT_EQ(layout->rowStride, 256u);
    EXPECT_EQ(layout->pixelOffset, 138u);
    EXPECT_FALSE(layout->bottomUp);
}

TEST(BitmapLayout, RefusesWhatCannotBeShownAsItLies) {
    const auto refused = [](auto change) {
        auto file = bitmapFile(16, 16, 32);
        change(file);
        return !uncompressedBitmapLayout(file);
    };
    EXPECT_TRUE(refused([](auto& f) { f[0] = 'P'; }));
    EXPECT_TRUE(refused([](auto& f) { f.pop_back(); }));               // pixels cut short
    EXPECT_TRUE(refused([](auto& f) { f.resize(50); }));               // header cut short
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 58, 0x000000FF); }));  // other channel order
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 30, 0); }));           // alpha not stated
    EXPECT_TRUE(refused([](auto& f) { putU16(f, 28, 8); }));           // palette bitmap
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 18, 0); }));           // no width
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 22, 0); }));           // no height
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 22, 0x80000000u); })); // the lowest int
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 14, 0xFFFFFFF0u); })); // header past the end
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 10, 0xFFFFFFF0u); })); // pixels past the end
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 10, 20); }));          // pixels in the header
    EXPECT_TRUE(refused([](auto& f) { putU32(f, 18, 20000); }));       // rows past the end

    auto rle = bitmapFile(16, 16, 24);
    putU32(rle, 30, 1);
    EXPECT_FALSE(uncompressedBitmapLayout(rle));
}

} // namespace
} // namespace brisomar
