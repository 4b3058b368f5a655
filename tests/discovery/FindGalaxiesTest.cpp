// The galaxy search over the real disk: POSIX natively, Win32 under Wine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "SearchHarness.h"
#include "platform/RuntimeError.h"
#include "support/FaultyFileSystem.h"
#include "support/HostFileSystem.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;

class FindGalaxiesOnDisk : public ::testing::Test {
  protected:
    // The example tree: M holds b.galaxy and A.galaxy, M\Sub x.galaxy, M\Sub\Deep y.galaxy.
    void MakeExampleTree() {
        dir.Write("M/b.galaxy", "b");
        dir.Write("M/A.galaxy", "A");
        dir.Write("M/Sub/x.galaxy", "x");
        dir.Write("M/Sub/Deep/y.galaxy", "y");
    }
    std::vector<std::string> ExampleList() const {
        return {dir.Path("M\\Sub\\Deep\\y.galaxy"), dir.Path("M\\Sub\\x.galaxy"),
                dir.Path("M\\A.galaxy"), dir.Path("M\\b.galaxy"), ""};
    }
    // The temporary folder as the walk writes it (natively Path() keeps the host's "/").
    std::string Top() const {
        const std::string m = dir.Path("M");
        return m.substr(0, m.rfind('\\'));
    }
    static constexpr const char* kExampleNames = "y.galaxy\r\nx.galaxy\r\nA.galaxy\r\nb.galaxy\r\n";

    test::ScopedTempDir dir;
    std::unique_ptr<FileSystem> fs = test::MakeHostFileSystem();
    test::SearchHarness form{*fs};
};

TEST_F(FindGalaxiesOnDisk, WalksEachSubtreeFirstThenTheFolderFilesByName) {
    MakeExampleTree();
    std::vector<std::string> visited;
    form.Dir1.OnChange([&] { visited.push_back(form.Dir1.Path()); });

    ASSERT_TRUE(form.Find({dir.Path("M"), ""}));

    EXPECT_EQ(form.state.galaxyList, ExampleList());
    EXPECT_EQ(form.Text1.Text(), kExampleNames);
    EXPECT_EQ(form.Label6.Caption(), "4");
    EXPECT_EQ(form.Label8.Caption(), " 1");
    EXPECT_EQ(form.events.calls, 2) << "once before each descent";
    EXPECT_FALSE(form.busy.Running());
    // Dir1 travels down and back up, and rests on the parent of the start folder.
    EXPECT_THAT(visited, ElementsAre(dir.Path("M"), dir.Path("M\\Sub"), dir.Path("M\\Sub\\Deep"),
                                     dir.Path("M\\Sub"), dir.Path("M"), Top()));
}

TEST_F(FindGalaxiesOnDisk, TrailingBackslashOnTheStartFolderChangesNothing) {
    MakeExampleTree();
    ASSERT_TRUE(form.Find({"", dir.Path("M\\")}));
    EXPECT_EQ(form.state.galaxyList, ExampleList());
    EXPECT_EQ(form.Dir1.Path(), Top());
}

TEST_F(FindGalaxiesOnDisk, NothingFoundStillMovesTheStageCounter) {
    dir.Write("M/Sub/readme.txt", "not a map");
    form.Text1.SetText("earlier.galaxy\r\n");
    ASSERT_TRUE(form.Find({dir.Path("M"), dir.Path("M\\Sub")}));
    EXPECT_THAT(form.state.galaxyList, ElementsAre(""));
    EXPECT_EQ(form.Text1.Text(), "earlier.galaxy\r\n");
    EXPECT_EQ(form.Label6.Caption(), "0");
    EXPECT_EQ(form.Label8.Caption(), " 1");
}

TEST_F(FindGalaxiesOnDisk, FindsTheExtensionInAnyCaseButNotKeptCopiesOrHiddenFiles) {
    dir.Write("M/MAP.GALAXY", "map");
    dir.Write("M/old.galold", "kept original");
    dir.Write("M/old.galfix", "kept fix pass");
    dir.Write("M/old.galaxy2", "other");
    dir.Write("M/.hidden.galaxy", "hidden");
    dir.MakeHidden("M/.hidden.galaxy");
    dir.Write("M/.secret/in.galaxy", "below a hidden folder");
    dir.MakeHidden("M/.secret");
    dir.Write("M/maps.galaxy/inner.galaxy", "a folder named like a map is walked, not listed");

    ASSERT_TRUE(form.Find({dir.Path("M"), ""}));
    EXPECT_THAT(form.state.galaxyList, ElementsAre(dir.Path("M\\maps.galaxy\\inner.galaxy"),
                                                   dir.Path("M\\MAP.GALAXY"), ""));
    EXPECT_EQ(form.Text1.Text(), "inner.galaxy\r\nMAP.GALAXY\r\n");
}

TEST_F(FindGalaxiesOnDisk, BothEntriesNamingOneFolderListEveryFileTwice) {
    MakeExampleTree();
    ASSERT_TRUE(form.Find({dir.Path("M"), dir.Path("M\\")}));
    std::vector<std::string> once = ExampleList();
    once.pop_back();
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    twice.emplace_back();
    EXPECT_EQ(form.state.galaxyList, twice);
    EXPECT_EQ(form.Text1.Text(), std::string(kExampleNames) + kExampleNames);
    EXPECT_EQ(form.Label6.Caption(), "8");
    EXPECT_EQ(form.events.calls, 4);
}

TEST_F(FindGalaxiesOnDisk, SecondSearchReplacesTheListAndAddsToTheNames) {
    MakeExampleTree();
    dir.Write("U/user.galaxy", "u");
    ASSERT_TRUE(form.Find({dir.Path("U"), dir.Path("M")}));
    EXPECT_EQ(form.Label6.Caption(), "5");

    dir.Write("U/later.galaxy", "added between the searches");
    ASSERT_TRUE(form.Find({dir.Path("U"), ""}));
    EXPECT_THAT(form.state.galaxyList,
                ElementsAre(dir.Path("U\\later.galaxy"), dir.Path("U\\user.galaxy"), ""));
    EXPECT_EQ(form.Text1.Text(),
              "user.galaxy\r\n" + std::string(kExampleNames) + "later.galaxy\r\nuser.galaxy\r\n");
    EXPECT_EQ(form.Label6.Caption(), "2");
    EXPECT_EQ(form.Label8.Caption(), " 2");

    // The counter goes on past the "of 2" beside it (a conversion in between makes it 3).
    form.Label8.SetCaption(" 3");
    ASSERT_TRUE(form.Find({"", ""}));
    EXPECT_EQ(form.Label8.Caption(), " 4");
}

TEST_F(FindGalaxiesOnDisk, EmptyOrMissingStartFoldersFindNothingThere) {
    MakeExampleTree();
    ASSERT_TRUE(form.Find({dir.Path("missing"), dir.Path("M")}));
    EXPECT_EQ(form.state.galaxyList, ExampleList());
    EXPECT_EQ(form.Dir1.Path(), Top());

    form.Dir1.SetPath(dir.Path("M\\Sub"));
    ASSERT_TRUE(form.Find({"", dir.Path("missing\\deeper")}));
    EXPECT_THAT(form.state.galaxyList, ElementsAre(""));
    EXPECT_EQ(form.Label6.Caption(), "0");
    EXPECT_EQ(form.Label8.Caption(), " 2");
    EXPECT_EQ(form.Dir1.Path(), dir.Path("M\\Sub")) << "Dir1 stays where it was";
}

TEST_F(FindGalaxiesOnDisk, AStartDuringTheWalkIsRefusedAndTheWalkGoesOn) {
    MakeExampleTree();
    bool nested = true;
    form.events.onProcess = [&] {
        nested = form.Find({dir.Path("M"), ""});
        // A click on a folder button moves Dir1 elsewhere; the walk must not follow it.
        form.Dir1.SetPath(Top());
    };
    ASSERT_TRUE(form.Find({dir.Path("M"), ""}));
    EXPECT_FALSE(nested);
    EXPECT_EQ(form.state.galaxyList, ExampleList());
    EXPECT_EQ(form.Label8.Caption(), " 1");
    EXPECT_EQ(form.Text1.Text(), kExampleNames);
    EXPECT_FALSE(form.busy.Running());
}

TEST_F(FindGalaxiesOnDisk, AFolderThatVanishesBeforeItsDescentIsPassedOver) {
    MakeExampleTree();
    dir.Write("M/Gone/g.galaxy", "removed before the walk reaches it");
    form.events.onProcess = [&] { std::filesystem::remove_all(dir.Host() / "M" / "Gone"); };
    ASSERT_TRUE(form.Find({dir.Path("M"), ""}));
    EXPECT_EQ(form.state.galaxyList, ExampleList());
    EXPECT_EQ(form.Text1.Text(), kExampleNames) << "a folder that is gone is not reported";
    EXPECT_TRUE(form.state.notSearched.empty());
}

// The same disk, where every listing of one folder fails as it does for a folder that is
// there but cannot be opened.
class FindGalaxiesPassingOver : public FindGalaxiesOnDisk {
  protected:
    test::FaultyFileSystem faulty{*fs, 0};
    test::SearchHarness search{faulty};
};

TEST_F(FindGalaxiesPassingOver, AFolderThatCannotBeListedIsReportedOnceAndItsSiblingsSearched) {
    MakeExampleTree();
    dir.Write("M/Locked/l.galaxy", "never seen");
    dir.Write("M/Locked/Inner/i.galaxy", "never seen");
    faulty.FailListings(dir.Path("M\\Locked"), ErrorNumber::PermissionDenied);

    ASSERT_TRUE(search.Find({dir.Path("M"), ""}));
    EXPECT_EQ(search.state.galaxyList, ExampleList());
    EXPECT_EQ(search.Label6.Caption(), "4") << "the count is that of the maps found";
    EXPECT_EQ(search.Text1.Text(), std::string(kExampleNames) + "NOT SEARCHED: " +
                                       dir.Path("M\\Locked") + " - access denied\r\n");
    ASSERT_EQ(search.state.notSearched.size(), 1u);
    EXPECT_EQ(search.Dir1.Path(), Top()) << "Dir1 rests where it does when nothing fails";

    // The next search starts its report afresh.
    ASSERT_TRUE(search.Find({dir.Path("M\\Sub"), ""}));
    EXPECT_TRUE(search.state.notSearched.empty());
}

TEST_F(FindGalaxiesPassingOver, AStartFolderItsParentListsButItsPathDoesNotFindIsReported) {
    // As a name ending in a dot, which Windows strips when it opens the path.
    MakeExampleTree();
    faulty.FailListings(dir.Path("M\\Sub"), ErrorNumber::PathNotFound);

    ASSERT_TRUE(search.Find({dir.Path("M\\Sub\\"), dir.Path("Gone\\Deeper")}));
    EXPECT_THAT(search.state.galaxyList, ElementsAre(""));
    EXPECT_EQ(search.Label6.Caption(), "0");
    EXPECT_EQ(search.Text1.Text(),
              "NOT SEARCHED: " + dir.Path("M\\Sub") +
                  " - the folder cannot be opened (Path/File access error)\r\n")
        << "a folder below a missing one is missing too";
}

}  // namespace
}  // namespace galemend
