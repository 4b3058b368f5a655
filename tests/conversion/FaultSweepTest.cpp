// Nothing is lost whatever fails: a conversion is run once for every file-system operation
// of a clean run, with that one operation failing, and every map must end either converted
// in full or exactly as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>

#include "ConversionFixture.h"
#include "support/FaultyFileSystem.h"

namespace galemend {
namespace {

using test::ConversionFixture;
using Files = std::map<std::string, std::string>;

const std::vector<std::string> kMaps{"a.galaxy", "sub\\b.galaxy", "cur.galaxy", "c.galaxy"};

void Prepare(ConversionFixture& f) {
    f.dir.Write("maps/a.galaxy", ConversionFixture::kOldMap);
    f.dir.Write("maps/sub/b.galaxy", "X\r\nformat 4\r\nother\r\nname Zed\r\nsize 7\r\nmore\r\n");
    f.dir.Write("maps/cur.galaxy", ConversionFixture::kCurrentMap);
    f.dir.Write("maps/c.galaxy", "X\r\nformat 4\r\nname C\r\nsize 99\r\n");
}

// The files that belong to one map: its own name and the three names beside it.
Files FilesOf(const Files& all, const std::string& map) {
    std::string stem = map;
    std::replace(stem.begin(), stem.end(), '\\', '/');
    stem.resize(stem.size() - 3);
    Files mine;
    for (const char* ending : {"axy", "old", "fix", "tst"}) {
        if (const auto found = all.find(stem + ending); found != all.end()) {
            mine.insert(*found);
        }
    }
    return mine;
}

void Sweep(const std::string& edition, bool diagnosticMode) {
    Files original, converted;
    int operations = 0;
    {
        ConversionFixture clean(edition);
        Prepare(clean);
        original = clean.Snapshot();
        test::FaultyFileSystem counting(*clean.fs, 0);
        ASSERT_TRUE(clean.Run(counting, kMaps, diagnosticMode)->Complete());
        operations = counting.Operations();
        converted = clean.Snapshot();
    }
    ASSERT_GT(operations, 10);

    for (int failAt = 1; failAt <= operations; ++failAt) {
        SCOPED_TRACE("edition " + edition + ", operation " + std::to_string(failAt));
        ConversionFixture f(edition);
        Prepare(f);
        test::FaultyFileSystem faulty(*f.fs, failAt);
        const auto result = f.Run(faulty, kMaps, diagnosticMode);
        ASSERT_TRUE(result);
        const Files after = f.Snapshot();
        const bool started = !result->runError && f.state.targetRevision > 0;
        int complete = 0;
        for (const auto& map : kMaps) {
            const Files mine = FilesOf(after, map);
            const bool asConverted = mine == FilesOf(converted, map);
            const bool asBefore = mine == FilesOf(original, map);
            EXPECT_TRUE(asConverted || asBefore) << map;
            complete += asConverted && !asBefore;
            // An old map left as it was must have been reported, never skipped in silence.
            const bool reported = std::any_of(
                result->notConverted.begin(), result->notConverted.end(),
                [&](const auto& entry) { return entry.path == f.dir.Path("maps\\" + map); });
            if (started && !asConverted && map != "cur.galaxy") {
                EXPECT_TRUE(reported) << map;
            }
        }
        EXPECT_EQ(complete, result->converted) << "the count matches the maps converted";
    }
}

TEST(FaultSweep, BaseEditionLosesNothing) {
    Sweep("c", false);
}
TEST(FaultSweep, SunderingEditionLosesNothing) {
    Sweep("u", false);
}
TEST(FaultSweep, DiagnosticRunLeavesNoPartialTestFile) {
    Sweep("u", true);
}

// Templates that cannot drive a rewrite stop the map, never the run.
TEST(FaultSweep, BadTemplatesLeaveTheMapAsItWas) {
    const std::vector<std::pair<std::string, std::string>> faults{
        {"coldstruct4.txt", "T\r\nfmt$0\r\nformat\r\n"},
        {"coldstruct4.txt", "T\r\nfmt$x\r\nformat\r\n"},
        {"cnewstruct4.txt", "T\r\nfmt$0\r\nformat 5\r\n"},
        {"cnewstruct4.txt", "T\r\nfmt$1\r\nformat 5\r\n"},  // no head for the second section
        {"cnewstruct4.txt", "T\r\nfmt$4\r\nformat 5\r\n"},  // section runs past the file
        {"cnewstruct4.txt",
         "T\r\nfmt$1\r\nformat 5\r\nhull$9\r\na #\r\nb #\r\nc #\r\nd #\r\ne #\r\n"
         "f #\r\ng #\r\nh #\r\ni #\r\n"},  // markers past the map's end
        {"cnewstruct4.txt", ""},
    };
    for (const auto& [name, content] : faults) {
        SCOPED_TRACE(name + ": " + content);
        ConversionFixture f("c");
        f.dir.Write(name, content);
        f.dir.Write("maps/a.galaxy", ConversionFixture::kOldMap);
        f.dir.Write("maps/b.galaxy", ConversionFixture::kOldMap);
        const Files before = f.Snapshot();
        const auto result = f.Run({"a.galaxy", "b.galaxy"});
        EXPECT_EQ(result->converted, 0);
        ASSERT_EQ(result->notConverted.size(), 2u) << "the run goes on with the next map";
        EXPECT_THAT(result->notConverted[0].reason, ::testing::HasSubstr(name));
        EXPECT_EQ(f.Snapshot(), before);
    }
}

}  // namespace
}  // namespace galemend
