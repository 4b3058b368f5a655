// Nothing is lost whatever fails: a conversion is run once for every file-system operation
// of a clean run, with that one operation failing, and every map must end either converted
// in full or exactly as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ConversionFixture.h"
#include "conversion/MapConversion.h"
#include "platform/RuntimeError.h"
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

// When a step of a conversion fails, its undo may fail as well: the rename that puts the
// original back (then its bytes are written from memory), and that write too (then the
// report names the old copy that holds it). For each failing operation of a one-map run,
// each operation after it fails too, and then each operation after that one. Whatever
// fails, the original's bytes stay under the map's name, or under the name the report gives
// (under the old copy's name once the map is converted).
struct UndoCase {
    const char* edition;
    bool diagnosticMode;
};

std::string Contents(const FileSystem& fs, const std::string& path) {
    try {
        return fs.ReadFile(path);
    } catch (const RuntimeError&) {
        return "<none>";
    }
}

// Runs with these operations failing and checks where the original is; returns the number
// of operations made and counts the reports that name the old copy.
int RunFailing(const UndoCase& c, const std::set<int>& failing, int& named) {
    std::string trace = std::string("edition ") + c.edition +
                        (c.diagnosticMode ? ", diagnostic" : "") + ", failing";
    for (const int operation : failing) {
        trace += " " + std::to_string(operation);
    }
    SCOPED_TRACE(trace);
    ConversionFixture f(c.edition);
    f.dir.Write("maps/a.galaxy", ConversionFixture::kOldMap);
    const std::string map = f.dir.Path("maps\\a.galaxy");
    test::FaultyFileSystem faulty(*f.fs, failing);
    const auto result = f.Run(faulty, {"a.galaxy"}, c.diagnosticMode);
    EXPECT_TRUE(result);
    std::string holder = map;
    if (result && result->converted == 1 && !c.diagnosticMode) {
        holder = OldCopyName(map);
    }
    for (const auto& entry : result ? result->notConverted : std::vector<NotConvertedMap>{}) {
        const std::string keptIn = "; the original is kept in ";
        if (const size_t at = entry.reason.find(keptIn); at != std::string::npos) {
            holder = entry.reason.substr(at + keptIn.size());
            EXPECT_EQ(holder, OldCopyName(map)) << entry.reason;
            ++named;
        }
    }
    EXPECT_EQ(Contents(*f.fs, holder), ConversionFixture::kOldMap) << holder;
    return faulty.Operations();
}

TEST(FaultSweep, FailingUndoKeepsTheOriginalWhereTheReportSays) {
    constexpr UndoCase kCases[]{{"c", false}, {"u", false}, {"u", true}};
    for (const UndoCase& c : kCases) {
        int named = 0;
        const int operations = RunFailing(c, {}, named);
        for (int first = 1; first <= operations; ++first) {
            const int made = RunFailing(c, {first}, named);
            for (int second = first + 1; second <= made; ++second) {
                // A failing undo step may lead to others, such as the write from memory.
                const int madeTwice = RunFailing(c, {first, second}, named);
                for (int third = second + 1; third <= madeTwice; ++third) {
                    RunFailing(c, {first, second, third}, named);
                }
            }
        }
        // Diagnostic runs never move the map, so nothing but the map can hold its original.
        EXPECT_EQ(named > 0, !c.diagnosticMode) << c.edition;
    }
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
