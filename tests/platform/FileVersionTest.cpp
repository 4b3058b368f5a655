#include "platform/SystemFacts.h"

#include <gtest/gtest.h>

#include "support/FakeSystemProbe.h"

namespace galemend {
namespace {

constexpr const char* kGame = "C:\\Games\\Corvane Expanse.exe";

std::string VersionOf(const std::optional<std::string>& block) {
    test::FakeSystemProbe probe;
    probe.versionBlocks[kGame] = block;
    return GetFileVersionString(probe, kGame);
}

TEST(FileVersion, FourUnsignedNumbersWithoutPadding) {
    EXPECT_EQ(VersionOf(test::FixedFileInfo({2, 1, 0, 0})), "2.1.0.0");
    EXPECT_EQ(VersionOf(test::FixedFileInfo({1, 0, 5, 12})), "1.0.5.12");
    EXPECT_EQ(VersionOf(test::FixedFileInfo({40000, 65535, 32768, 1})), "40000.65535.32768.1");
}

TEST(FileVersion, ProductVersionWinsOverFileVersion) {
    EXPECT_EQ(VersionOf(test::FixedFileInfo({3, 0, 0, 0}, {1, 2, 3, 4})), "3.0.0.0");
}

TEST(FileVersion, WordsAreReadLittleEndianAtTheirOffsets) {
    std::string block(52, '\0');
    block[16] = '\x02';  // low half of the most significant word: second number
    block[19] = '\x01';  // top byte: first number 256
    block[22] = '\x10';  // third number 16
    block[20] = '\x07';  // fourth number 7
    EXPECT_EQ(VersionOf(block), "256.2.16.7");
}

TEST(FileVersion, EmptyWithoutAWholeRootBlock) {
    test::FakeSystemProbe probe;
    EXPECT_EQ(GetFileVersionString(probe, "C:\\missing.exe"), "");
    EXPECT_EQ(VersionOf(std::nullopt), "");
    EXPECT_EQ(VersionOf(std::string()), "");
    EXPECT_EQ(VersionOf(test::FixedFileInfo({1, 2, 3, 4}).substr(0, 51)), "");
    EXPECT_EQ(VersionOf(test::FixedFileInfo({1, 2, 3, 4}) + "extra"), "1.2.3.4");
}

}  // namespace
}  // namespace galemend
