#include "conversion/Templates.h"
#include "platform/CodePages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/HostFileSystem.h"
#include "support/ScopedCurrentFolder.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;

// Templates are opened by bare name from the current folder, so each test works in its own.
class TemplateLoaders : public ::testing::Test {
  protected:
    test::ScopedTempDir dir;
    std::unique_ptr<FileSystem> fs = test::MakeHostFileSystem();
    test::ScopedCurrentFolder current{dir.Host()};
    TemplateState state{SystemCodePage(kWesternCodePage)};
};

TEST_F(TemplateLoaders, NamesFollowEditionRevisionAndTarget) {
    dir.Write("coldstruct4.txt", "T\r\nh$2\r\n");
    dir.Write("cnewstruct04.txt", "T\r\ng$1\r\nx\r\n");
    dir.Write("uoldstructfix6.txt", "F\r\n");
    dir.Write("newstruct0.txt", "N\r\nrev 5\r\n");

    loadold(state, *fs, "c", "4");
    EXPECT_THAT(state.oldTemplate->lines, ElementsAre("T", "h$2"));
    EXPECT_THAT(state.oldTemplate->sections, ElementsAre(1u));
    EXPECT_EQ(state.oldTemplate->name, "coldstruct4.txt");

    loadnew(state, *fs, "c", "04");
    EXPECT_THAT(state.newTemplate->lines, ElementsAre("T", "g$1", "x"));

    loadoldfix(state, *fs, "u", 6);
    EXPECT_THAT(state.oldTemplate->lines, ElementsAre("F"));
    EXPECT_THAT(state.oldTemplate->sections, ElementsAre(0u));

    initnew(state, *fs, "");
    EXPECT_EQ(state.targetRevision, 5) << "no edition letter chosen: no leading letter";
    EXPECT_THAT(state.newTemplate->sections, ElementsAre(0u));
}

TEST_F(TemplateLoaders, ATemplateIsParsedAgainOnlyWhenItsBytesChanged) {
    dir.Write("uoldstruct4.txt", "T\r\nh$1\r\nab\r\n");
    loadold(state, *fs, "u", "4");
    const auto first = state.oldTemplate;
    loadoldfix(state, *fs, "u", 5);
    loadold(state, *fs, "u", "4");
    EXPECT_EQ(state.oldTemplate, first) << "same bytes: the earlier parse serves again";

    dir.Write("uoldstruct4.txt", "T\r\nh$1\r\ncd\r\n");  // same size, other bytes
    loadold(state, *fs, "u", "4");
    EXPECT_THAT(state.oldTemplate->lines, ElementsAre("T", "h$1", "cd"));
    EXPECT_EQ(FindTemplateLine(state, "cd 1"), 2u);
    EXPECT_EQ(FindTemplateLine(state, "ab 1"), 0u);

    loadnew(state, *fs, "u", "4");
    EXPECT_EQ(state.newTemplate->lines, LineList(11)) << "the same file as a new template";
}

TEST_F(TemplateLoaders, MissingTemplatesReadAsElevenEmptyLines) {
    loadnew(state, *fs, "c", "4");
    EXPECT_EQ(state.newTemplate->lines, LineList(11));
    EXPECT_THAT(state.newTemplate->sections, ElementsAre(0u));

    state.targetRevision = 9;
    initnew(state, *fs, "u");
    EXPECT_EQ(state.targetRevision, 0) << "a missing new-structure-0 file converts nothing";
}

TEST_F(TemplateLoaders, TargetRevisionComesFromTheLastTwoCharacters) {
    dir.Write("unewstruct0.txt", "x\r\nformat 12\r\n");
    initnew(state, *fs, "u");
    EXPECT_EQ(state.targetRevision, 12);
    dir.Write("unewstruct0.txt", "x\r\n7\r\n");
    initnew(state, *fs, "u");
    EXPECT_EQ(state.targetRevision, 7);
    dir.Write("unewstruct0.txt", "x\r\nv4.5\r\n");
    initnew(state, *fs, "u");
    EXPECT_EQ(state.targetRevision, 0.5);
}

TEST_F(TemplateLoaders, NewStructureZeroWithoutSecondLineIsAnError) {
    dir.Write("cnewstruct0.txt", "only one line\r\n");
    EXPECT_THROW(initnew(state, *fs, "c"), ConversionError);
    dir.Write("cnewstruct0.txt", "");
    try {
        initnew(state, *fs, "c");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("cnewstruct0.txt"));
    }
}

TEST_F(TemplateLoaders, OriginalMapsStayEmptyOnceTheirFileWasMissing) {
    bool dataFileMissing = false;
    loadoriginalmaps(state, *fs, dataFileMissing);
    EXPECT_TRUE(dataFileMissing);
    EXPECT_THAT(state.originalMaps, ElementsAre(""));

    dir.Write("original corv galaxies.txt", "Home.galaxy\r\n");
    loadoriginalmaps(state, *fs, dataFileMissing);
    EXPECT_THAT(state.originalMaps, ElementsAre("")) << "the flag is never cleared";

    bool fresh = false;
    loadoriginalmaps(state, *fs, fresh);
    EXPECT_FALSE(fresh);
    EXPECT_THAT(state.originalMaps, ElementsAre("Home.galaxy"));
}

}  // namespace
}  // namespace galemend
