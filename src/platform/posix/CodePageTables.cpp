#include "platform/posix/CodePageTables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePages.h"

namespace galemend {

namespace {

// Each table is text: the lead bytes, then three maps written as runs (the format is
// described in scripts/codepage-tables/MakeCodePageTable.cpp).
struct TableText {
    unsigned number;
    std::string_view text;
};

// clang-format off
constexpr TableText kTables[] = {
#include "codepages/874.inc"
#include "codepages/932.inc"
#include "codepages/936.inc"
#include "codepages/949.inc"
#include "codepages/950.inc"
#include "codepages/1250.inc"
#include "codepages/1251.inc"
#include "codepages/1252.inc"
#include "codepages/1253.inc"
#include "codepages/1254.inc"
#include "codepages/1255.inc"
#include "codepages/1256.inc"
#include "codepages/1257.inc"
#include "codepages/1258.inc"
};
// clang-format on

constexpr std::array<unsigned, std::size(kTables)> kNumbers = [] {
    std::array<unsigned, std::size(kTables)> numbers{};
    for (size_t i = 0; i < numbers.size(); ++i) {
        numbers[i] = kTables[i].number;
    }
    return numbers;
}();

// No character, or no form. A form is one byte as its value, two as lead * 256 + trail.
constexpr uint32_t kNone = 0xFFFFFFFF;

[[noreturn]] void Malformed(unsigned number, std::string_view what) {
    throw std::logic_error("code page table " + std::to_string(number) + ": " + std::string(what));
}

uint32_t Hex(unsigned number, std::string_view digits) {
    uint32_t value = 0;
    const char* const last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, value, 16);
    if (error != std::errc{} || end != last || digits.empty()) {
        Malformed(number, "\"" + std::string(digits) + "\" is no number");
    }
    return value;
}

// The text between the line "name" and the next line that names a section, or the end.
std::string_view Section(unsigned number, std::string_view text, std::string_view name) {
    const std::string heading = "\n" + std::string(name) + "\n";
    const size_t start = text.find(heading);
    if (start == std::string_view::npos) {
        Malformed(number, "no section " + std::string(name));
    }
    const std::string_view rest = text.substr(start + heading.size());
    size_t end = rest.size();
    for (const std::string_view next : {"\nencode\n", "\nunmapped\n"}) {
        end = std::min(end, rest.find(next));  // npos when there is none
    }
    return rest.substr(0, end);
}

// Reads runs of positions and values: "@P" moves to P, "V" sets one value, "V+N" N more
// rising by one, "V*N" N more the same, "-" no value.
void ReadRuns(unsigned number, std::string_view runs, std::vector<uint32_t>& values) {
    uint32_t position = 0;
    size_t at = 0;
    while ((at = runs.find_first_not_of(" \n", at)) != std::string_view::npos) {
        const size_t end = std::min(runs.find_first_of(" \n", at), runs.size());
        const std::string_view token = runs.substr(at, end - at);
        at = end;
        if (token.front() == '@') {
            position = Hex(number, token.substr(1));
            continue;
        }
        const size_t mark = token.find_first_of("+*");
        const std::string_view first = token.substr(0, mark);
        const uint32_t value = first == "-" ? kNone : Hex(number, first);
        const uint32_t more =
            mark == std::string_view::npos ? 0 : Hex(number, token.substr(mark + 1));
        const bool rising = mark != std::string_view::npos && token[mark] == '+';
        if (position >= values.size() || more >= values.size() - position ||
            (rising && value == kNone)) {
            Malformed(number, "run \"" + std::string(token) + "\" out of range");
        }
        for (uint32_t k = 0; k <= more; ++k) {
            values[position + k] = rising ? value + k : value;
        }
        position += more + 1;
    }
}

std::string BytesOf(uint32_t form) {
    if (form < 0x100) {
        return std::string(1, static_cast<char>(form));
    }
    return {static_cast<char>(form >> 8), static_cast<char>(form & 0xFF)};
}

class TableSource : public CodePageSource {
  public:
    TableSource(unsigned number, std::string_view text) {
        const std::string_view leads = text.substr(0, text.find('\n'));
        if (!leads.starts_with("lead")) {
            Malformed(number, "no lead bytes");
        }
        for (size_t at = 4; (at = leads.find_first_not_of(' ', at)) != std::string_view::npos;) {
            const size_t end = std::min(leads.find(' ', at), leads.size());
            const std::string_view range = leads.substr(at, end - at);
            const size_t dash = range.find('-');
            if (dash == std::string_view::npos) {
                Malformed(number, "lead bytes \"" + std::string(range) + "\"");
            }
            const uint32_t first = Hex(number, range.substr(0, dash));
            const uint32_t last = Hex(number, range.substr(dash + 1));
            if (first < 0x80 || last > 0xFF || first > last) {
                Malformed(number, "lead bytes \"" + std::string(range) + "\"");
            }
            std::fill(lead_.begin() + first, lead_.begin() + last + 1, true);
            at = end;
        }
        doubleByte_ = std::find(lead_.begin(), lead_.end(), true) != lead_.end();

        ReadRuns(number, Section(number, text, "decode"), decode_);
        // A character's form is the lowest that decodes to it, unless the table says another.
        for (uint32_t form = 0; form < decode_.size(); ++form) {
            const uint32_t c = decode_[form];
            if (c != kNone && (c >= encode_.size() || encode_[c] == kNone)) {
                encode_.at(c) = form;
            }
        }
        ReadRuns(number, Section(number, text, "encode"), encode_);
        ReadRuns(number, Section(number, text, "unmapped"), unmapped_);
    }

    Kind PageKind() const override { return doubleByte_ ? Kind::DoubleByte : Kind::SingleByte; }
    bool IsLeadByte(unsigned char byte) const override { return lead_[byte]; }

    std::optional<char32_t> Decode(std::string_view bytes) const override {
        const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
        uint32_t c = kNone;
        if (bytes.size() == 1) {
            c = decode_[at(0)];
        } else if (bytes.size() == 2 && lead_[at(0)]) {
            c = decode_[at(0) << 8 | at(1)];
        }
        return c == kNone ? std::nullopt : std::optional<char32_t>(c);
    }

    std::optional<std::string> Encode(char32_t c) const override {
        if (c >= encode_.size() || encode_[c] == kNone) {
            return std::nullopt;  // above U+FFFF no character has a form
        }
        return BytesOf(encode_[c]);
    }

    // Wine writes the default character for each UTF-16 unit of a character without a form
    // (two for one above U+FFFF), unless its table gives a best fit.
    std::string Unmapped(char32_t c) const override {
        if (c >= unmapped_.size()) {
            return "??";
        }
        if (unmapped_[c] != kNone) {
            return BytesOf(unmapped_[c]);
        }
        return Encode(c).value_or("?");
    }

  private:
    std::array<bool, 256> lead_{};
    bool doubleByte_ = false;
    std::vector<uint32_t> decode_ = std::vector<uint32_t>(0x10000, kNone);  // by form
    std::vector<uint32_t> encode_ = std::vector<uint32_t>(0x10000, kNone);  // by character
    std::vector<uint32_t> unmapped_ = std::vector<uint32_t>(0x10000, kNone);
};

}  // namespace

std::span<const unsigned> TabledCodePages() {
    return kNumbers;
}

std::unique_ptr<CodePageSource> TableCodePageSource(unsigned number) {
    for (const TableText& table : kTables) {
        if (table.number == number) {
            return std::make_unique<TableSource>(number, table.text);
        }
    }
    return nullptr;
}

#ifndef _WIN32
// Natively the system's code pages are Wine's, from the tables. (The Windows build compiles
// this file only into its test that checks the tables against the system.)
std::unique_ptr<CodePageSource> SystemCodePageSource(unsigned number) {
    return TableCodePageSource(number);
}
#endif

}  // namespace galemend
