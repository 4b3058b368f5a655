// The native builds' code page tables against the system's own conversion, under Wine: for
// every page, every byte and byte pair, every character up to U+FFFF and a spread of those
// above. A table that drifts from what Wine answers fails here; scripts/make-codepage-tables
// writes them anew.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/CodePages.h"
#include "platform/posix/CodePageTables.h"

namespace galemend {
namespace {

std::string Hex(const std::string& bytes) {
    std::string out;
    for (const char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(byte));
        out += digits;
    }
    return out;
}

// Compares both sources' answers for one character.
void ExpectSameForms(unsigned number, const CodePageSource& system, const CodePageSource& table,
                     char32_t c) {
    ASSERT_EQ(table.Encode(c), system.Encode(c))
        << number << ": form of U+" << std::hex << static_cast<unsigned>(c);
    ASSERT_EQ(Hex(table.Unmapped(c)), Hex(system.Unmapped(c)))
        << number << ": written for U+" << std::hex << static_cast<unsigned>(c);
}

TEST(TableCodePages, AnswerAsTheSystemDoes) {
    ASSERT_EQ(TabledCodePages().size(), 14u);
    for (const unsigned number : TabledCodePages()) {
        const auto system = SystemCodePageSource(number);
        const auto table = TableCodePageSource(number);
        ASSERT_TRUE(system != nullptr && table != nullptr) << number;
        ASSERT_EQ(table->PageKind(), system->PageKind()) << number;
        size_t decoded = 0;
        for (unsigned first = 0; first < 256; ++first) {
            const auto byte = static_cast<unsigned char>(first);
            const std::string one(1, static_cast<char>(first));
            ASSERT_EQ(table->IsLeadByte(byte), system->IsLeadByte(byte)) << number << ": " << first;
            ASSERT_EQ(table->Decode(one), system->Decode(one)) << number << ": " << Hex(one);
            for (unsigned second = 0; second < 256; ++second) {
                const std::string two = one + static_cast<char>(second);
                const auto expected = system->Decode(two);
                ASSERT_EQ(table->Decode(two), expected) << number << ": " << Hex(two);
                decoded += expected.has_value() ? 1 : 0;
            }
        }
        if (system->PageKind() == CodePageSource::Kind::DoubleByte) {
            EXPECT_GT(decoded, 7000u) << number << ": most pairs of lead bytes are characters";
        }
        for (char32_t c = 0; c < 0x10000; ++c) {
            ExpectSameForms(number, *system, *table, c);
        }
        for (char32_t c = 0x10000; c <= 0x10FFFF; c += 0xFFF) {
            ExpectSameForms(number, *system, *table, c);
        }
        ExpectSameForms(number, *system, *table, 0x10FFFF);
    }
}

}  // namespace
}  // namespace galemend
