#include "DosAssemblerImage.h"

#include "build/AssemblerRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace zev;

namespace {

std::uint16_t read16(const std::vector<std::uint8_t>& image, std::size_t at) {
    return static_cast<std::uint16_t>(image.at(at) | image.at(at + 1) << 8);
}

TEST(DosAssemblerImage, PassesTheVersionCheckAndLoadsOnlyHeaderAndProgram) {
    const auto image = dosTestAssemblerImage();
    const std::string signature = build::kAssemblerSignature;
    ASSERT_EQ(image.size(), build::kAssemblerSignatureOffset + signature.size());
    EXPECT_EQ(std::string(image.end() - static_cast<long>(signature.size()), image.end()),
              signature);

    ASSERT_EQ(image[0], 'M');
    ASSERT_EQ(image[1], 'Z');
    const std::size_t headerSize = read16(image, 0x08) * 16u;
    EXPECT_EQ(headerSize, 32u);
    EXPECT_EQ(read16(image, 0x06), 0); // no relocations to apply
    const std::size_t lastPage = read16(image, 0x02);
    const std::size_t loadSize = (read16(image, 0x04) - 1u) * 512u + (lastPage ? lastPage : 512u);
    // Header and program only, up to the program's last text: DOS is not asked to load the
    // whole 158 KB file, and it loads every byte the program uses.
    EXPECT_LT(loadSize, 512u);
    EXPECT_EQ(image.at(loadSize - 1), '$');
    EXPECT_TRUE(std::all_of(image.begin() + static_cast<long>(loadSize),
                            image.begin() + static_cast<long>(build::kAssemblerSignatureOffset),
                            [](std::uint8_t b) { return b == 0; }));

    // The stack (SS:SP, relative to the load segment) lies inside the memory DOS must give: the
    // loaded program and the minimum allocation after it.
    const std::size_t programSize = loadSize - headerSize;
    const std::size_t stackTop = read16(image, 0x0E) * 16u + read16(image, 0x10);
    EXPECT_GT(stackTop, programSize + 0x100);
    EXPECT_LE(stackTop, programSize + read16(image, 0x0A) * 16u);
    EXPECT_EQ(stackTop % 2, 0u);
    EXPECT_NE(read16(image, 0x0C), 0); // a maximum of 0 would load the program high
    EXPECT_EQ(read16(image, 0x14), 0); // entry at the first program byte
    EXPECT_EQ(read16(image, 0x16), 0);
}

} // namespace
