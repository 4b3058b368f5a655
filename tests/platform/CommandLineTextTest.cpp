#include "platform/SystemFacts.h"

#include <gtest/gtest.h>

namespace galemend {
namespace {

TEST(CommandLineText, DropsTheProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(ArgumentsAfterProgramName("galemend3.exe /s"), "/s");
    EXPECT_EQ(ArgumentsAfterProgramName("C:\\Games\\galemend3.exe \t  -silent"), "-silent");
    EXPECT_EQ(ArgumentsAfterProgramName("galemend3.exe"), "");
    EXPECT_EQ(ArgumentsAfterProgramName("galemend3.exe   "), "");
    EXPECT_EQ(ArgumentsAfterProgramName(""), "");
}

TEST(CommandLineText, QuotedProgramPathMayHoldBlanks) {
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\Program Files\\galemend\\galemend3.exe\" /s"), "/s");
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\Program Files\\g\"alemend3.exe /s"), "/s");
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\Program Files\\galemend3.exe\""), "");
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\unclosed quote /s"), "");
}

TEST(CommandLineText, ArgumentsKeepTheirBlanksQuotesAndCase) {
    EXPECT_EQ(ArgumentsAfterProgramName("g.exe /S  \"-s\" x "), "/S  \"-s\" x ");
}

}  // namespace
}  // namespace galemend
