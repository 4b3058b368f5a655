#include <gtest/gtest.h>

#include "text/Numbers.h"

namespace galemend {
namespace {

TEST(LeadingNumber, ReadsTheNumberATextBeginsWith) {
    EXPECT_EQ(LeadingNumber(" 4"), 4);
    EXPECT_EQ(LeadingNumber("12abc"), 12);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("a4"), 0);
    EXPECT_EQ(LeadingNumber("1 2\t3\n4"), 1234) << "blanks, tabs and line feeds are skipped";
    EXPECT_EQ(LeadingNumber("1\r2"), 1);
    EXPECT_EQ(LeadingNumber("-5x"), -5);
    EXPECT_EQ(LeadingNumber("+5"), 5);
    EXPECT_EQ(LeadingNumber("--5"), 0);
    EXPECT_EQ(LeadingNumber("2.5.1"), 2.5);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("."), 0);
    EXPECT_EQ(LeadingNumber("$5"), 0);
}

TEST(LeadingNumber, ReadsExponentsAndRadixPrefixes) {
    EXPECT_EQ(LeadingNumber("1e3"), 1000);
    EXPECT_EQ(LeadingNumber("1D2"), 100);
    EXPECT_EQ(LeadingNumber("2e"), 2);
    EXPECT_EQ(LeadingNumber("2e+x"), 2);
    EXPECT_EQ(LeadingNumber("1e999"), 0) << "an overflowing number is no number";
    EXPECT_EQ(LeadingNumber("&H1F"), 31);
    EXPECT_EQ(LeadingNumber("&hFFFF"), -1);
    EXPECT_EQ(LeadingNumber("&H10000"), 65536);
    EXPECT_EQ(LeadingNumber("&O17"), 15);
    EXPECT_EQ(LeadingNumber("&O8"), 0);
    EXPECT_EQ(LeadingNumber("&X1"), 0);
}

TEST(NumberText, SignedFormKeepsASignPosition) {
    EXPECT_EQ(SignedNumberText(1), " 1");
    EXPECT_EQ(SignedNumberText(0), " 0");
    EXPECT_EQ(SignedNumberText(-3), "-3");
    EXPECT_EQ(SignedNumberText(12345678), " 12345678");
    EXPECT_EQ(SignedNumberText(0.5), " .5");
    EXPECT_EQ(SignedNumberText(-0.25), "-.25");
}

TEST(NumberText, PlainFormIsTheShortestDecimal) {
    EXPECT_EQ(PlainNumberText(5), "5");
    EXPECT_EQ(PlainNumberText(0), "0");
    EXPECT_EQ(PlainNumberText(5.5), "5.5");
    EXPECT_EQ(PlainNumberText(-2), "-2");
    EXPECT_EQ(PlainNumberText(0.1), "0.1");
}

}  // namespace
}  // namespace galemend
