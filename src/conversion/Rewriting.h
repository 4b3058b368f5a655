#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/Templates.h"
#include "text/Text.h"

namespace galemend {

// The lines of a map, as views into its text.
using MapLines = std::span<const std::string_view>;

// Where the lines a pass wrote end in its text, each after its CR LF. They are the text's
// lines unless one holds a CR LF of its own.
struct LineEnds {
    std::vector<size_t> ends;
    bool lineEndInside = false;
};

// Writes a pass's lines into its output text with plain copies. The lines replace what the
// text held, whose size serves as room, so that a text reused from map to map is grown (and
// filled, as a std::string must be when it grows) only where an output is longer than the
// one before. The text is cut to what was written when the writer goes, also when a pass
// throws.
//
// Given line ends to fill, it also notes where each line ends, so that the text need not be
// split again to be read line by line.
class LineWriter {
  public:
    explicit LineWriter(std::string& out, LineEnds* ends = nullptr)
        : out_(out), end_(0), ends_(ends) {
        if (ends_ != nullptr) {
            ends_->ends.clear();
            ends_->lineEndInside = false;
        }
    }
    ~LineWriter() { out_.resize(end_); }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    // Appends head and tail as one line, with its CR LF.
    [[gnu::always_inline]] void Line(std::string_view head, std::string_view tail = {}) {
        const size_t length = head.size() + tail.size() + 2;
        if (out_.size() - end_ < length) {
            Grow(length);
        }
        char* const at = out_.data() + end_;
        Copy(at, head);
        Copy(at + head.size(), tail);
        at[length - 2] = '\r';
        at[length - 1] = '\n';
        end_ += length;
        if (ends_ != nullptr) {
            ends_->ends.push_back(end_);
            // Neither piece holds a CR LF of its own: both are parts of lines already split.
            ends_->lineEndInside |=
                !head.empty() && head.back() == '\r' && !tail.empty() && tail.front() == '\n';
        }
    }

  private:
    void Grow(size_t length);
    // Pieces are mostly short: up to 16 bytes move as two overlapping words, with no call.
    template <typename Word>
    static void Overlapping(char* to, const char* from, size_t n) {
        Word first, last;
        std::memcpy(&first, from, sizeof(Word));
        std::memcpy(&last, from + n - sizeof(Word), sizeof(Word));
        std::memcpy(to, &first, sizeof(Word));
        std::memcpy(to + n - sizeof(Word), &last, sizeof(Word));
    }
    static void Copy(char* to, std::string_view from) {
        const size_t n = from.size();
        if (n > 16) {
            std::memcpy(to, from.data(), n);
        } else if (n >= 8) {
            Overlapping<uint64_t>(to, from.data(), n);
        } else if (n >= 4) {
            Overlapping<uint32_t>(to, from.data(), n);
        } else if (n >= 2) {
            Overlapping<uint16_t>(to, from.data(), n);
        } else if (n == 1) {
            to[0] = from[0];
        }
    }

    std::string& out_;
    size_t end_;  // bytes written; the rest of out_ is spare room
    LineEnds* ends_;
};

// Writes the new lines of section s for the section block that starts at map line j, and
// returns how many map lines the block occupies in the old layout. Throws ConversionError
// when the templates cannot drive the rewrite: a head count that is not a whole number of
// at least 1, a section the new template lacks or that runs past its end, or a marker that
// needs a map line beyond the last one.
size_t ApplyStructure(const PassTemplates& templates, size_t s, size_t j, MapLines mapLines,
                      LineWriter& out);

// Rewrites every section block of the map that a line of the old template starts, and copies
// every other line. The output lines, each with CR LF, replace what out held; with ends
// given, where they end goes there.
void StructurePass(const PassTemplates& templates, MapLines mapLines, std::string& out,
                   LineEnds* ends = nullptr);

// Like the structure pass, but a block is rewritten only where three consecutive lines all
// match the old template; the last two lines of the map are copied as they are. The output
// replaces what out held.
void FixPass(const PassTemplates& templates, MapLines mapLines, std::string& out);

}  // namespace galemend
