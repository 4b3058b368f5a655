#include "platform/FileSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/CodePages.h"
#include "support/HostFileSystem.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ReadTextLinesTest : public ::testing::Test {
  protected:
    test::ScopedTempDir dir;
    std::unique_ptr<FileSystem> fs = test::MakeHostFileSystem();
    const CodePage western = SystemCodePage(kWesternCodePage);

    LineList Read(std::string_view bytes) {
        dir.Write("f.txt", bytes);
        return ReadTextLines(*fs, dir.Path("f.txt"), western);
    }
};

TEST_F(ReadTextLinesTest, SplitsAtCrLfOnlyAndDropsEveryTrailingLineEnd) {
    EXPECT_THAT(Read("a\r\nb\r\n\r\n"), ElementsAre("a", "b"));
    EXPECT_THAT(Read("a\r\n\r\nb"), ElementsAre("a", "", "b"));
    EXPECT_THAT(Read("a\nb\rc\n"), ElementsAre("a\nb\rc\n"));
    EXPECT_THAT(Read("a\r\nb\r"), ElementsAre("a", "b\r"));
    // Lines are the program's text: decoded from the code page into UTF-8.
    EXPECT_THAT(Read(std::string("x\0y\xe9", 4)), ElementsAre(std::string("x\0y\u00e9", 5)));
}

TEST_F(ReadTextLinesTest, EmptyAndLineEndOnlyFilesHaveNoLines) {
    EXPECT_THAT(Read(""), IsEmpty());
    EXPECT_THAT(Read("\r\n\r\n\r\n"), IsEmpty());
}

TEST_F(ReadTextLinesTest, MissingFileIsElevenEmptyLinesAndUnreadableIsOne) {
    EXPECT_EQ(ReadTextLines(*fs, dir.Path("missing.txt"), western), LineList(11));
    dir.MakeFolder("folder.txt");
    EXPECT_EQ(ReadTextLines(*fs, dir.Path("folder.txt"), western), LineList(11))
        << "a folder is not found by the file lookup";
    dir.Write("real.txt", "x");
    EXPECT_EQ(ReadTextLines(*fs, dir.Path("*.txt"), western), LineList(1))
        << "a pattern that matches a file but cannot be opened";
}

TEST(AppendLine, EndsEveryLineWithCrLf) {
    std::string out;
    AppendLine(out, "a");
    AppendLine(out, "");
    EXPECT_EQ(out, "a\r\n\r\n");
}

}  // namespace
}  // namespace galemend
