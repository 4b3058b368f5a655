// Steam's KeyValues text: both forms of libraryfolders.vdf, what the reader skips, the escapes
// of paths both ways, and the line and reason of each malformed text.
#include "linux/prefixes/KeyValues.h"

#include <gmock/gmock.h>

#include <ostream>

namespace galemend {
// Failures show an entry as the text it writes.
void PrintTo(const KeyValue& entry, std::ostream* out) {
    *out << WriteKeyValues({entry});
}
}  // namespace galemend

namespace galemend::test {
namespace {

using ::testing::HasSubstr;

std::vector<KeyValue> Parsed(std::string_view text) {
    auto result = ParseKeyValues(text);
    if (const auto* error = std::get_if<KeyValuesError>(&result)) {
        ADD_FAILURE() << "line " << error->line << ": " << error->reason;
        return {};
    }
    return std::get<std::vector<KeyValue>>(std::move(result));
}

KeyValue Pair(std::string key, std::string value) {
    return KeyValue{std::move(key), std::move(value), {}, false};
}

KeyValue Section(std::string key, std::vector<KeyValue> children) {
    return KeyValue{std::move(key), {}, std::move(children), true};
}

TEST(KeyValues, BothLibraryFolderFormsAreReadAndKeysAreFoundIgnoringAsciiCase) {
    const std::string newForm =
        "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/d/.local/share/Steam\"\n"
        "\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t\t\"228980\"\t\t\"2\"\n\t\t}\n\t}\n}"
        "\n";
    const std::vector<KeyValue> entries = {
        Section("libraryfolders",
                {Section("0", {Pair("path", "/home/d/.local/share/Steam"),
                               Section("apps", {Pair("228980", "1"), Pair("228980", "2")})})})};
    EXPECT_EQ(Parsed(newForm), entries);
    EXPECT_EQ(WriteKeyValues(entries), newForm);
    const KeyValue& apps = entries[0].children[0].children[1];
    EXPECT_EQ(apps.Find("228980"), &apps.children[0]);

    const auto old = Parsed(
        "\"LibraryFolders\" {\r\n \"TimeNextStatsReport\" \"1700000000\"\r\n"
        " \"ContentStatsID\" \"-42\"\r\n \"1\" \"/mnt/games\"\r\n}\r\n");
    ASSERT_EQ(old.size(), 1u);
    const KeyValue root = Section("", old);
    const KeyValue* folders = root.Find("libraryfolders");
    ASSERT_NE(folders, nullptr);
    const std::vector<KeyValue> expected = {Pair("TimeNextStatsReport", "1700000000"),
                                            Pair("ContentStatsID", "-42"), Pair("1", "/mnt/games")};
    EXPECT_EQ(folders->children, expected);
    EXPECT_EQ(folders->Find("CONTENTSTATSID"), &folders->children[1]);
    EXPECT_EQ(folders->Find("2"), nullptr);
    // Only ASCII letters fold: these are distinct keys.
    EXPECT_EQ(Section("", {Pair("\xC3\xA9", "")}).Find("\xC3\x89"), nullptr);
}

TEST(KeyValues, EscapesInPathsAreReadAndWrittenBack) {
    const std::string text =
        "\"path\"\t\t\"D:\\\\Games\\\\\\\"Steam\\\"\\nx\\ty\\q\"\n\"unquoted\"\t\tC:\\\\x\n";
    // Unquoted tokens have no escapes.
    const std::vector<KeyValue> expected = {Pair("path", "D:\\Games\\\"Steam\"\nx\ty\\q"),
                                            Pair("unquoted", "C:\\\\x")};
    EXPECT_EQ(Parsed(text), expected);
    EXPECT_EQ(WriteKeyValues(expected),
              "\"path\"\t\t\"D:\\\\Games\\\\\\\"Steam\\\"\\nx\\ty\\\\q\"\n"
              "\"unquoted\"\t\t\"C:\\\\\\\\x\"\n");
    EXPECT_EQ(Parsed(WriteKeyValues(expected)), expected);
}

TEST(KeyValues, BomCommentsConditionsIncludesAndUnquotedTokensAreRead) {
    const auto entries = Parsed(
        "\xEF\xBB\xBF#include \"base.vdf\"\n#BASE other.vdf // comment\n"
        "InstallConfigStore // \"not\" { a key\n{\n"
        "  Software [$WIN32] { \"a\" \"1\" [!$X360] b 2//x\n c\"3\" }\n"
        "  \"#include\" \"kept inside\"\n}\n\"#base\" \"kept when quoted\"\n");
    const std::vector<KeyValue> expected = {
        Section("InstallConfigStore",
                {Section("Software", {Pair("a", "1"), Pair("b", "2//x"), Pair("c", "3")}),
                 Pair("#include", "kept inside")}),
        Pair("#base", "kept when quoted")};
    EXPECT_EQ(entries, expected);
}

TEST(KeyValues, MalformedTextGivesItsLineAndWhatWasWrong) {
    const struct {
        std::string text;
        std::size_t line;
        std::string reason;
    } cases[] = {
        {"\"a\" \"1\"\n\"b\"\n", 2, "\"b\" has no value"},
        {"\"s\"\n{\n\"b\"\n}\n", 3, "\"b\" has no value"},
        {"\"a\"\n\"b\n\nc", 2, "a quoted string that is never closed"},
        {"\"a\" \"\\\"", 1, "a quoted string that is never closed"},
        {"\"s\"\n{\n{\n", 3, "a { with no key before it"},
        {"\"s\" { \"a\" \"b\" }\n}\n", 2, "a } that closes no section"},
        {"\n\"s\"\n{\n\"t\" {\n}\n", 3, "the section \"s\" is never closed"},
        {"\"s\" {\n[$WIN32] \"a\" \"b\" }", 2, "the condition [$WIN32] follows no key or value"},
        {"\"a\" \"b\" [$X] [$Y]\n", 1, "the condition [$Y] follows no key or value"},
        {"\"a\" \"b\" [$X\n]", 1, "a condition with no ]"},
        {"\n#include {", 2, "#include names no file"},
    };
    for (const auto& c : cases) {
        const auto result = ParseKeyValues(c.text);
        ASSERT_TRUE(std::holds_alternative<KeyValuesError>(result)) << c.text;
        EXPECT_EQ(std::get<KeyValuesError>(result).line, c.line) << c.text;
        EXPECT_EQ(std::get<KeyValuesError>(result).reason, c.reason) << c.text;
    }
}

TEST(KeyValues, SectionsNestAtMost64Deep) {
    std::string deepest = "\"v\" \"x\"";
    for (std::size_t depth = 1; depth <= kKeyValuesMaxDepth; ++depth) {
        deepest = "\"k\"\n{\n" + deepest + "\n}";
    }
    EXPECT_EQ(Parsed(deepest).size(), 1u);
    const auto result = ParseKeyValues("\"k\" {\n" + deepest + "\n}");
    ASSERT_TRUE(std::holds_alternative<KeyValuesError>(result));
    EXPECT_EQ(std::get<KeyValuesError>(result).line, 1u + kKeyValuesMaxDepth * 2);
    EXPECT_THAT(std::get<KeyValuesError>(result).reason, HasSubstr("deeper than 64"));
}

}  // namespace
}  // namespace galemend::test
