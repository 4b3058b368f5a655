#include "conversion/Templates.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace galemend {
namespace {

// The plain scan the index must agree with: the last line that prefixes the text.
size_t PlainScan(const LineList& lines, std::string_view text) {
    size_t result = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (text.substr(0, lines[i].size()) == lines[i] && text.size() >= lines[i].size()) {
            result = i;
        }
    }
    return result;
}

std::string RandomText(std::mt19937& random, size_t maxLength) {
    // A small alphabet with a byte above 127, so prefixes collide often.
    static constexpr char kAlphabet[] = {'a', 'b', ' ', '$', '\xe9'};
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> letter(0, sizeof(kAlphabet) - 1);
    std::string text(length(random), ' ');
    for (char& c : text) {
        c = kAlphabet[letter(random)];
    }
    return text;
}

TEST(TemplateIndex, AgreesWithAPlainScanOnRandomTemplates) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 300; ++round) {
        LineList lines(std::uniform_int_distribution<size_t>(0, 40)(random));
        for (auto& line : lines) {
            line = RandomText(random, 5);
        }
        const TemplateIndex index(lines);
        for (int probe = 0; probe < 50; ++probe) {
            const std::string text = RandomText(random, 8);
            ASSERT_EQ(index.LastPrefixLine(text), PlainScan(lines, text))
                << "round " << round << " text '" << text << "'";
        }
    }
}

TEST(TemplateIndex, DuplicateAndEmptyLinesKeepTheHighestIndex) {
    const TemplateIndex index({"", "ab", "", "ab", "a"});
    EXPECT_EQ(index.LastPrefixLine("abc"), 4u);
    EXPECT_EQ(index.LastPrefixLine("b"), 2u);
    EXPECT_EQ(index.LastPrefixLine(""), 2u);
    EXPECT_EQ(TemplateIndex({"x"}).LastPrefixLine("xyz"), 0u) << "line 0 counts as no match";

    // A run of letters longer than one edge holds is cut into several edges.
    const std::string run(600, 'a');
    const TemplateIndex longRun({"", run + "b", run.substr(0, 300) + "c"});
    EXPECT_EQ(longRun.LastPrefixLine(run + "bz"), 1u);
    EXPECT_EQ(longRun.LastPrefixLine(run.substr(0, 300) + "cz"), 2u);
    EXPECT_EQ(longRun.LastPrefixLine(run), 0u);
    EXPECT_EQ(longRun.LastPrefixLine(run.substr(0, 299) + "b"), 0u);
    EXPECT_EQ(TemplateIndex().LastPrefixLine("x"), 0u);
}

}  // namespace
}  // namespace galemend
