#include "text/Text.h"

#include <gtest/gtest.h>

namespace galemend {
namespace {

TEST(WildcardMatch, ExtensionPatternIgnoresCase) {
    EXPECT_TRUE(WildcardMatch("*.galaxy", "Spiral.galaxy"));
    EXPECT_TRUE(WildcardMatch("*.galaxy", "MAP.GALAXY"));
    EXPECT_TRUE(WildcardMatch("*.galaxy", ".galaxy"));
    EXPECT_FALSE(WildcardMatch("*.galaxy", "Spiral.galold"));
    EXPECT_FALSE(WildcardMatch("*.galaxy", "Spiral.galaxy.bak"));
    EXPECT_FALSE(WildcardMatch("*.galaxy", "galaxy"));
}

TEST(WildcardMatch, StarsAndQuestionMarks) {
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_TRUE(WildcardMatch("a?c", "abc"));
    EXPECT_FALSE(WildcardMatch("a?c", "ac"));
    EXPECT_TRUE(WildcardMatch("*a*b*", "xxaYYbzz"));
    EXPECT_FALSE(WildcardMatch("*a*b", "xxaYYbzz"));
    EXPECT_TRUE(WildcardMatch("exact.txt", "EXACT.TXT"));
    EXPECT_FALSE(WildcardMatch("exact.txt", "exact.tx"));
}

}  // namespace
}  // namespace galemend
