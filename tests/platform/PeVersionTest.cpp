// The version resource read from a PE file's bytes, as the Windows build is answered under
// Wine: images built here, then broken on purpose.
#include "platform/prefix/PeVersion.h"

#include <gtest/gtest.h>

#include "PeImageBuilder.h"
#include "platform/SystemFacts.h"
#include "support/FakeSystemProbe.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

using test::BuildPeImage;
using test::FixedFileInfo;
using test::PeImageSpec;
using test::PeResource;
using test::PutU32;
using test::VersionInfo;

std::string Versioned(std::uint16_t language, const std::array<std::uint16_t, 4>& version) {
    return BuildPeImage({.resources = {{16, 1, language, VersionInfo(FixedFileInfo(version))}}});
}

// The product version the caller makes of the file's root block.
std::string VersionOf(const std::string& image, const ResourceLanguages& languages = {}) {
    test::FakeSystemProbe probe;
    probe.versionBlocks["game.exe"] = VersionRootBlockOfImage(image, "game.exe", languages);
    return GetFileVersionString(probe, "game.exe");
}

TEST(PeVersion, RootBlockOfBothImageKinds) {
    for (const bool pe32Plus : {true, false}) {
        const PeImageSpec spec{
            .pe32Plus = pe32Plus,
            .sectionRva = 0x5000,
            .resources = {{24, 1, 0x0409, "<assembly/>"},
                          {16, 1, 0x0409, VersionInfo(FixedFileInfo({2, 1, 0, 7}))},
                          {3, 1, 0, "icon"}}};
        EXPECT_EQ(VersionRootBlockOfImage(BuildPeImage(spec), "game.exe"),
                  FixedFileInfo({2, 1, 0, 7}))
            << pe32Plus;
    }
}

TEST(PeVersion, NoVersionResource) {
    const std::string manifestOnly = BuildPeImage({.resources = {{24, 1, 0x0409, "<assembly/>"}}});
    const std::string secondId = BuildPeImage({.resources = {{16, 2, 0, VersionInfo("x")}}});
    std::string noDirectory = Versioned(0x0409, {1, 0, 0, 0});
    PutU32(noDirectory, test::ResourceDirectoryOf(true), 0);
    std::string fewDirectories = Versioned(0x0409, {1, 0, 0, 0});
    PutU32(fewDirectories, test::ResourceDirectoryOf(true) - 20, 2);
    std::string dosProgram = Versioned(0x0409, {1, 0, 0, 0});
    dosProgram.replace(test::kPeHeader, 4, "NE\x05\x0a");  // a 16-bit program's header
    for (const std::string& image :
         {manifestOnly, secondId, noDirectory, fewDirectories, dosProgram, std::string("MZ"),
          std::string("1.0.0.0\r\n"), std::string()}) {
        EXPECT_EQ(VersionRootBlockOfImage(image, "game.exe"), std::nullopt) << image.size();
    }
}

TEST(PeVersion, LanguageOrderOfTheLoader) {
    const auto image = [](std::vector<std::uint16_t> languages) {
        PeImageSpec spec;
        for (const std::uint16_t language : languages) {
            spec.resources.push_back({16, 1, language, VersionInfo(FixedFileInfo({language}))});
        }
        return BuildPeImage(spec);
    };
    const ResourceLanguages german{.user = 0x0807, .system = 0x0411};
    // Neutral first, then the user's language, its primary language, the system's, English.
    EXPECT_EQ(VersionOf(image({0x0411, 0x0409, 0})), "0.0.0.0");
    EXPECT_EQ(VersionOf(image({0x0411, 0x0409})), "1033.0.0.0");
    EXPECT_EQ(VersionOf(image({0x0411, 0x0409, 0x0807}), german), "2055.0.0.0");
    EXPECT_EQ(VersionOf(image({0x0411, 0x0409, 0x0007}), german), "7.0.0.0");
    EXPECT_EQ(VersionOf(image({0x0409, 0x0411}), german), "1041.0.0.0");
    // None of them: the first entry.
    EXPECT_EQ(VersionOf(image({0x040C, 0x0407})), "1031.0.0.0");
}

TEST(PeVersion, EntriesAsTheLoaderSearchesThem) {
    // Ids out of order hide the version type from the binary search.
    const PeImageSpec unsorted{
        .sortEntries = false,
        .resources = {{24, 1, 0, "<assembly/>"}, {16, 1, 0, VersionInfo(FixedFileInfo({1}))}}};
    EXPECT_EQ(VersionRootBlockOfImage(BuildPeImage(unsorted), "game.exe"), std::nullopt);
    // A type entry that leads to data instead of a directory does not count.
    std::string leafType = Versioned(0x0409, {1, 0, 0, 0});
    PutU32(leafType, test::kResourceSection + 20, 0x18);
    EXPECT_EQ(VersionRootBlockOfImage(leafType, "game.exe"), std::nullopt);
    // An empty resource is copied without looking where its data would lie.
    PeImageSpec empty;
    empty.resources = {{16, 1, 0, ""}};
    std::string emptyNowhere = BuildPeImage(empty);
    PutU32(emptyNowhere, test::kResourceSection + 72, 0x9000);
    EXPECT_EQ(VersionRootBlockOfImage(emptyNowhere, "game.exe"), "");
}

TEST(PeVersion, BrokenImagesNameTheFileAndTheFault) {
    const std::string good = Versioned(0x0409, {1, 0, 0, 0});
    const std::size_t table = test::SectionTableOf(true);
    std::string badMagic = good;
    PutU32(badMagic, test::kOptionalHeader, 0x107);
    std::string directoryNowhere = good;
    PutU32(directoryNowhere, test::ResourceDirectoryOf(true), 0x9000);
    std::string dataNowhere = good;
    PutU32(dataNowhere, test::kResourceSection + 72, 0x9000);  // the data entry's RVA
    std::string sectionPastTheEnd = good;
    PutU32(sectionPastTheEnd, table + 20, 0x1000);  // the section's raw data moved off the end
    std::string directoryPastTheEnd = good;
    PutU32(directoryPastTheEnd, test::kResourceSection + 20, 0x80010000);
    const struct {
        std::string image;
        const char* reason;
    } cases[] = {
        {good.substr(0, table + 20), "the section table lies outside the file"},
        {good.substr(0, test::kOptionalHeader + 1), "the PE optional header lies outside the file"},
        {badMagic, "its optional header has the unknown magic number 0x107"},
        {directoryNowhere, "its resource directory at RVA 0x9000 lies in no section"},
        {dataNowhere, "its version resource at RVA 0x9000 lies in no section"},
        {sectionPastTheEnd, "the section holding RVA 0x2000 runs past the end of the file"},
        {directoryPastTheEnd, "a resource directory lies outside the file"},
        {good.substr(0, test::kResourceSection + 120),
         "its version resource lies outside the file"},
    };
    for (const auto& c : cases) {
        try {
            VersionRootBlockOfImage(c.image, "C:\\Games\\game.exe");
            ADD_FAILURE() << "no error for: " << c.reason;
        } catch (const PeFormatError& e) {
            EXPECT_EQ(e.Reason(), c.reason);
            EXPECT_EQ(e.Path(), "C:\\Games\\game.exe");
            EXPECT_EQ(std::string(e.what()), "C:\\Games\\game.exe: " + e.Reason());
        }
    }
}

TEST(PeVersion, RootBlockAsVerQueryValueReadsTheBuffer) {
    const std::string whole = VersionInfo(FixedFileInfo({1, 2, 3, 4}));
    ASSERT_EQ(whole.size(), 92u);
    EXPECT_EQ(RootBlockOf(whole), FixedFileInfo({1, 2, 3, 4}));
    // Cut short: the rest of the buffer is zeros, so the product version's low word is lost.
    const std::string cut = RootBlockOf(whole.substr(0, 60));
    EXPECT_EQ(cut, whole.substr(40, 20) + std::string(32, '\0'));
    // A block shorter than its value: the value crosses the "FE2X" written after the block.
    std::string shortBlock = whole;
    shortBlock[0] = 50;
    EXPECT_EQ(RootBlockOf(shortBlock).substr(8, 8),
              whole.substr(48, 2) + "FE2X" + whole.substr(54, 2));
    // A key starting with a printable ANSI byte is the 16-bit layout: key, then value.
    const std::string oldLayout = std::string("\x1c\x00\x08\x00VS_VERSION_INFO\0ABCDEFGH", 28);
    EXPECT_EQ(RootBlockOf(oldLayout), "ABCDEFGH");
    std::string highByte = oldLayout;
    highByte[4] = '\x80';  // not printable for a signed character: read as the 32-bit layout
    EXPECT_EQ(RootBlockOf(highByte), std::string(8, '\0'));
    // A value longer than the buffer stops at its end.
    EXPECT_EQ(RootBlockOf(std::string("\x0a\x00\xff\xff\x00\x00", 6)).size(), 17u - 8u);
}

TEST(PeVersion, FromAFileOnDisk) {
    test::ScopedTempDir dir;
    dir.Write("game.exe", Versioned(0x0409, {3, 0, 0, 1}));
    EXPECT_EQ(VersionRootBlockOfFile((dir.Host() / "game.exe").string()),
              FixedFileInfo({3, 0, 0, 1}));
    EXPECT_EQ(VersionRootBlockOfFile((dir.Host() / "missing.exe").string()), std::nullopt);
    EXPECT_EQ(VersionRootBlockOfFile(dir.Host().string()), std::nullopt);
}

}  // namespace
}  // namespace galemend
