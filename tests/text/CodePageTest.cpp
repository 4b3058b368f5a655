#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <map>

#include "text/Text.h"

namespace galemend {
namespace {

// A small double-byte page: 0x81 and 0x82 lead; 81 40..81 7E are U+4E00.., 82 5C is U+30BD
// and 82 5D is a second form of U+4E01 that the system writes as 81 41; 0xA1 is U+FF61 and
// 0xA0 is undefined. Characters without a form are written as "~".
class ToySource : public CodePageSource {
  public:
    Kind PageKind() const override { return Kind::DoubleByte; }
    bool IsLeadByte(unsigned char byte) const override { return byte == 0x81 || byte == 0x82; }
    std::optional<char32_t> Decode(std::string_view bytes) const override {
        const auto found = forms.find(std::string(bytes));
        if (found != forms.end()) {
            return found->second;
        }
        if (bytes == "\x82\x5D") {
            return 0x4E01;
        }
        return std::nullopt;
    }
    std::optional<std::string> Encode(char32_t c) const override {
        for (const auto& [bytes, character] : forms) {
            if (character == c) {
                return bytes;
            }
        }
        return std::nullopt;
    }
    std::string Unmapped(char32_t) const override { return "~"; }

    std::map<std::string, char32_t> forms = [] {
        std::map<std::string, char32_t> all{{"\x82\x5C", 0x30BD}, {"\xA1", 0xFF61}};
        for (unsigned b = 0; b < 0x80; ++b) {
            all[std::string(1, static_cast<char>(b))] = b;
        }
        for (unsigned trail = 0x40; trail < 0x7F; ++trail) {
            all[std::string{'\x81', static_cast<char>(trail)}] = 0x4E00 + trail - 0x40;
        }
        return all;
    }();
};

std::string Utf8(char32_t c) {
    std::string text;
    AppendCharacter(text, c);
    return text;
}

const CodePage& Toy() {
    static const CodePage page(9999, std::make_unique<ToySource>());
    return page;
}

TEST(CodePage, DecodesCharactersAndEscapesEveryByteThatDoesNotDecode) {
    const CodePage& page = Toy();
    EXPECT_EQ(page.Decode("plain ascii"), "plain ascii");
    EXPECT_EQ(page.Decode("a\x82\x5C"
                          "b\xA1"),
              "a" + Utf8(0x30BD) + "b" + Utf8(0xFF61));
    // A lone lead byte: at the end, before a NUL, before a line's CR LF; an undefined byte.
    EXPECT_EQ(page.Decode("x\x82"), "x" + Utf8(0xDC82));
    EXPECT_EQ(page.Decode(std::string("\x82\0", 2)), Utf8(0xDC82) + std::string(1, '\0'));
    EXPECT_EQ(page.Decode("\x82\r\nA"), Utf8(0xDC82) + "\r\nA");
    EXPECT_EQ(page.Decode("\xA0"), Utf8(0xDCA0));
    EXPECT_EQ(Utf8(0xDCA0), "\xED\xB2\xA0") << "an escape is held in its three-byte form";
    // A lead byte takes the next byte whatever pair they make, as the system counts them: an
    // undefined pair, a second form of a character that would be written back as the first,
    // a CR or LF that ends no line. Each is one escape, so the next character stays whole.
    EXPECT_EQ(page.Decode("\x82\x30"), Utf8(EscapeOf(0x82, 0x30)));
    EXPECT_EQ(page.Decode("\x82\x5D\x82\x5C"), Utf8(EscapeOf(0x82, 0x5D)) + Utf8(0x30BD));
    EXPECT_EQ(page.Decode("\x82\x82\x5C"), Utf8(EscapeOf(0x82, 0x82)) + "\\")
        << "a lead byte as the trail is taken, leaving the 5C a backslash of its own";
    EXPECT_EQ(page.Decode("\x81\rA\x81\n"),
              Utf8(EscapeOf(0x81, '\r')) + "A" + Utf8(EscapeOf(0x81, '\n')));
    EXPECT_EQ(CharacterCount(page.Decode("\x82\x5D\x82\x5C")), 2u);
}

TEST(CodePage, EncodesEscapesAsTheirBytesAndUnmappedCharactersAsTheSystemDoes) {
    const CodePage& page = Toy();
    EXPECT_EQ(page.Encode("a" + Utf8(0x30BD) + Utf8(0xDC82) + Utf8(0xDCA0)), "a\x82\x5C\x82\xA0");
    EXPECT_EQ(page.Encode(Utf8(EscapeOf(0x82, 0x5D)) + "b"),
              "\x82\x5D"
              "b");
    EXPECT_EQ(page.Encode(Utf8(0xE9) + "!"), "~!");
    EXPECT_EQ(page.Encode("\xFF"), "\xFF") << "bytes that are no UTF-8 stay as they are";
}

TEST(CodePage, DecodingThenEncodingGivesBackEveryPairOfBytes) {
    const CodePage& page = Toy();
    for (unsigned first = 0; first < 256; ++first) {
        for (unsigned second = 0; second < 256; ++second) {
            const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(page.Encode(page.Decode(bytes)), bytes) << first << " " << second;
        }
    }
}

TEST(Characters, CountCodePointsWithEachEscapeAsOne) {
    const std::string text = "a" + Utf8(0x30BD) + Utf8(0xDC83) + Utf8(0x1F600) + "z";
    EXPECT_EQ(CharacterCount(text), 5u);
    EXPECT_EQ(FromCharacter(text, 2), Utf8(0xDC83) + Utf8(0x1F600) + "z");
    EXPECT_EQ(FromCharacter(text, 5), "");
    EXPECT_EQ(FromCharacter(text, 9), "");
    const std::string named = "name " + Utf8(0x30BD) + "xyz";  // an ASCII start, then not
    EXPECT_EQ(FromCharacter(named, 5), Utf8(0x30BD) + "xyz");
    EXPECT_EQ(FromCharacter(named, 6), "xyz");
    EXPECT_EQ(LastCharacters(text, 2), Utf8(0x1F600) + "z");
    EXPECT_EQ(LastCharacters("owner \u30bd", 1), "\u30bd");
    EXPECT_EQ(LastCharacters("\u8868\u30bd", 2), "\u8868\u30bd");
    EXPECT_EQ(LastCharacters("\u8868", 2), "\u8868");
}

// No byte of a UTF-8 multi-byte form is below 0x80, so a 0x5C byte is always a backslash.
TEST(Characters, PathRulesSeeNoBackslashInsideACharacter) {
    const std::string folder = "C:\\Maps\\\u30bd\\\u8868";  // ソ and 表 end in 5C in 932
    EXPECT_EQ(FileNamePart(folder + "\\\u80fd.galaxy"), "\u80fd.galaxy");
    EXPECT_EQ(PositionAfterLast(folder, "\\"), 13u) << "a position in the UTF-8 bytes";
    EXPECT_EQ(NormalFolderPath(folder + "\\"), folder);
    EXPECT_EQ(NormalFolderPath("C:\\\u8868\\\\"), "C:\\\u8868");
}

}  // namespace
}  // namespace galemend
