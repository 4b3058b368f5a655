#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text rules shared by every layer: letter case, wildcard patterns and the order of names
// (LetterCase.cpp, NameOrder.cpp), Windows path names and the lines of text files (Text.cpp).
// Pure functions over the program's UTF-8 strings; nothing here touches the system.
namespace galemend {

// Characters and letter case. Case is folded code point by code point with one simple table
// (ASCII, Latin-1 Supplement, Latin Extended-A, Greek, Cyrillic, full-width Latin): the
// letters of code pages 1250 to 1253 and of the full-width Latin of 932 and 950. A byte that
// is not part of valid UTF-8 stands for itself.

// A byte that starts no valid UTF-8 sequence is read as this plus the byte: above every code
// point, so that it equals only itself.
constexpr char32_t kLoneByte = 0x110000;

struct Character {
    char32_t value;  // the code point, or kLoneByte + the byte
    size_t length;   // in bytes
};

// The character that starts at a byte offset below the text's size. Encoded surrogates count
// as characters, since U+DC80 + byte stands for an undecodable byte of file content.
Character CharacterAt(std::string_view text, size_t at);

// One byte: only an ASCII letter changes, since every other byte of UTF-8 is part of a
// longer character.
char FoldCase(char c);
// One code point: its lower-case partner, or itself.
char32_t FoldCase(char32_t c);

// The text with every letter folded; everything else, invalid bytes included, as it was.
std::string LowerCase(std::string_view text);
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Matches a name against a pattern with * and ? (each ? one character), ignoring case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The order of names as people see them in lists.

// The order of names ascending, ignoring case, as Windows sorts them for people: symbols,
// then digits, then letters by alphabet, accents only breaking ties between otherwise equal
// names; hyphens and apostrophes count only when all else is equal. Negative, zero (equal
// ignoring case) or positive.
int CompareNamesIgnoringCase(std::string_view a, std::string_view b);

// A three-way comparison of names such as the one above.
using NameOrder = std::function<int(std::string_view, std::string_view)>;

// Sorts names ascending by the order; names it finds equal (equal but for case) keep a
// fixed order among themselves, that of their bytes.
void SortNamesIgnoringCase(std::vector<std::string>& names,
                           const NameOrder& order = CompareNamesIgnoringCase);

// Path names and lines.

// 1-based position just after the last occurrence of the needle that lies before the
// text's end, or 1 when there is none. An occurrence that ends the text is not examined.
size_t PositionAfterLast(std::string_view text, std::string_view needle);

// The characters after the last backslash of a path (the whole path without one).
std::string FileNamePart(std::string_view path);

// Whether the file-name part of the path equals the name, ignoring case, without trimming.
bool FileNameMatches(std::string_view path, std::string_view name);

// "C:\" and the like: the one folder path that keeps its trailing backslash.
bool IsDriveRoot(std::string_view path);

// A folder path as the lists show it: trailing backslashes removed except from a drive
// root; a bare drive ("C:") becomes its root.
std::string NormalFolderPath(std::string_view path);

// The path of an entry of a folder given in normal form: one backslash between them.
std::string PathInFolder(std::string_view folder, std::string_view name);

// The folder cut just after its last "\"; a path without one is its own parent.
std::string ParentFolder(std::string_view folder);

// The folder part of an executable's full path ("C:\Games\x.exe" gives "C:\Games"): without
// a trailing backslash, except at a drive root, which keeps it ("C:\x.exe" gives "C:\").
std::string FolderOfModule(std::string_view modulePath);

// The arguments part of a whole Windows command line: what follows the program's own name
// and the blanks after it, as WinMain receives it. The program name ends at the first blank
// or tab outside quotation marks, so a quoted path may hold blanks. Everything after the
// separating blanks is kept as it stands, quotes and runs of blanks included.
std::string ArgumentsAfterProgramName(std::string_view commandLine);

// Whether the text ends with the tail.
bool EndsWith(std::string_view text, std::string_view tail);

// The last n characters (code points) of a UTF-8 text, or the whole text when it is shorter.
// Inline: a conversion calls it for most lines it rewrites.
inline std::string_view LastCharacters(std::string_view text, size_t n) {
    // Mostly the text ends in ASCII, where characters are bytes.
    if (n <= text.size()) {
        size_t ascii = 0;
        while (ascii < n && static_cast<unsigned char>(text[text.size() - 1 - ascii]) < 0x80) {
            ++ascii;
        }
        if (ascii == n) {
            return text.substr(text.size() - n);
        }
    }
    // A character starts at each byte that is not a continuation byte (10xxxxxx).
    size_t start = text.size();
    for (size_t taken = 0; taken < n && start > 0; ++taken) {
        do {
            --start;
        } while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80);
    }
    return text.substr(start);
}

// The lines of a text file, first at index 0, without their CR LF terminators.
using LineList = std::vector<std::string>;

// Lines as views into a text that the caller keeps alive and unchanged while they are used.
using LineViews = std::vector<std::string_view>;

// Splits text at CR LF after dropping every trailing CR LF; an empty text has no lines.
LineList SplitLines(std::string_view text);
// The same split into views, reusing the list's storage.
void SplitLines(std::string_view text, LineViews& lines);
// The second line of that split, without splitting the rest; nothing when there is none.
std::optional<std::string_view> SecondLine(std::string_view text);

// Whether lines were really read from a file. A read file never ends in an empty line (its
// trailing line ends are dropped), so a list that does is the shape of a missing or
// unreadable file.
bool CameFromFile(const LineList& lines);

// Appends a line and its CR LF terminator to an output text. Inline: a conversion calls it for
// every line it writes.
inline void AppendLine(std::string& out, std::string_view line) {
    out.append(line).append("\r\n", 2);
}

// Line n (counted from 1) of a line list, or empty when the list is shorter.
std::string LineAt(const LineList& lines, size_t n);

}  // namespace galemend
