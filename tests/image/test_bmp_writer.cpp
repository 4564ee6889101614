#include "BmpBuilder.h"
#include "DecodeHelpers.h"

#include "image/BmpWriter.h"
#include "image/ByteReader.h"

#include <gtest/gtest.h>

TEST(BmpWriter, HeaderSizesAndOffsets)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 101;
    bmp.height = 100;
    bmp.bitCount = 8;
    bmp.pixels.assign(104 * 100, 7);
    TDecoded decoded = DecodeBytes(folder, bmp.Build());
    ASSERT_TRUE(decoded.ok);
    auto header = BmpFileHeader(*decoded.dib);
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(header[1], 'M');
    EXPECT_EQ(GetU32(header, 2), 14u + 40 + 1024 + 104 * 100);
    EXPECT_EQ(GetU32(header, 6), 0u);
    EXPECT_EQ(GetU32(header, 10), 1078u);

    bmp = TBmpBuilder();
    bmp.width = 3;
    bmp.pixels.assign(12, 1);
    header = BmpFileHeader(*DecodeBytes(folder, bmp.Build()).dib);
    EXPECT_EQ(GetU32(header, 10), 54u);
    EXPECT_EQ(GetU32(header, 2), 54u + 12);

    bmp.bitCount = 16;
    bmp.compression = 3;
    bmp.masks = { 0xF800, 0x07E0, 0x1F };
    bmp.pixels.assign(8, 1);
    header = BmpFileHeader(*DecodeBytes(folder, bmp.Build()).dib);
    EXPECT_EQ(GetU32(header, 10), 66u);
}

TEST(BmpWriter, WrittenFileIsTheBlockBehindTheHeaderAndReadsBack)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 5;
    bmp.height = -3;
    bmp.bitCount = 4;
    bmp.palette = { 0x112233, 0x445566 };
    bmp.colorsUsed = 2;
    bmp.pixels = { 0x01, 0x10, 0x10, 0, 0x11, 0x00, 0x10, 0, 0x00, 0x01, 0x00, 0 };
    const TDecoded original = DecodeBytes(folder, bmp.Build());
    ASSERT_TRUE(original.ok);
    std::string error;
    const std::string path = folder.File("saved.bmp");
    ASSERT_TRUE(WriteBmpFile(*original.dib, path, error)) << error;
    const std::vector<uint8_t> written = ReadBytes(path);
    const auto block = original.dib->Block();
    ASSERT_EQ(written.size(), block.size() + 14);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), written.begin() + 14));

    const TDecoded again = DecodeFile(path);
    ASSERT_TRUE(again.ok);
    EXPECT_TRUE(std::ranges::equal(again.dib->Block(), block));
}

TEST(BmpWriter, UnwritablePlacesAreErrorsWithTheirNames)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.pixels.assign(4, 0);
    const TDecoded decoded = DecodeBytes(folder, bmp.Build());
    std::string error;
    const std::string missingFolder = folder.File("no/such/folder.bmp");
    EXPECT_FALSE(WriteBmpFile(*decoded.dib, missingFolder, error));
    EXPECT_EQ(error, "Unable to open file " + missingFolder);
    // A device is no file to put a picture in place of.
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(WriteBmpFile(*decoded.dib, "/dev/full", error));
        EXPECT_EQ(error, "Unable to open file /dev/full");
    }
}
