#pragma once

#include <string>
#include <string_view>

// The rules Wine 8 applies to the names in a folder when a Windows program looks them up or
// lists them: letter case, the order of a listing, wildcard masks, the 8.3 short names it
// makes up, and what makes an entry hidden or system. Names are compared as UTF-16, code
// unit by code unit, as Wine compares them.
namespace galemend {

// A Unix name as Wine hands it to a program: UTF-8 decoded to UTF-16; a byte that starts no
// valid UTF-8 sequence becomes U+FFFD.
std::u16string Utf16Of(std::string_view utf8);

// One code unit in upper case, as Wine's towupper (the Unicode simple mapping; surrogates
// stay as they are).
char16_t WineUpper(char16_t c);
std::u16string WineUpper(std::u16string_view text);

// The order Wine sorts a folder's names in before handing them out: code unit by code unit
// in upper case, then, for names equal but for case, by the code units themselves ("A"
// before "a", "_" after "Z").
int CompareListingNames(std::u16string_view a, std::u16string_view b);

// Wine 8's mask matching, ignoring case: * for any run, ? for exactly one code unit, trailing
// dots and stars of the mask ignored. After a *, the search resumes at the next unit that
// equals the mask's next unit, so a ? right after a * matches only a literal "?".
bool MaskMatches(std::u16string_view mask, std::u16string_view name);

// Whether a name is a legal 8.3 name as Wine's folder reader judges it (ASCII only, no
// blanks or DOS separators, at most 8 characters, a dot and at most 3 more).
bool IsLegalShortName(std::u16string_view name);

// The upper-case 8.3 name Wine makes up for a name that is not legal 8.3 (the first four
// characters, "~" padding, three characters of a hash of the whole name, the first three of
// the extension), or empty for a legal one.
std::u16string ShortNameOf(std::u16string_view name);

// Attribute bits of the DOS attributes Wine keeps in the "user.DOSATTRIB" extended attribute.
inline constexpr unsigned kHiddenAttribute = 0x2;
inline constexpr unsigned kSystemAttribute = 0x4;
// Wine reads at most this many bytes of the value; a longer value counts as none.
inline constexpr std::size_t kDosAttributeMaxBytes = 64;
inline constexpr const char* kDosAttributeName = "user.DOSATTRIB";

// The hidden and system bits of a "user.DOSATTRIB" value: Samba's text form "0x" followed by
// hex digits and nothing else but an optional NUL and what follows it ("0x2", "0x22");
// anything else ("2", "0X2", "0x2 ") gives no bits.
unsigned DosAttributeBits(std::string_view value);

// Names starting with "." are hidden (Wine's default, ShowDotFiles off), "." and ".." aside.
// Wine 8 adds this to the stored attributes: a dot name stays hidden even when its
// user.DOSATTRIB says "0x0" (checked under Wine 8.0 here; later Wine lets the value decide).
bool IsDotHidden(std::string_view name);

}  // namespace galemend
