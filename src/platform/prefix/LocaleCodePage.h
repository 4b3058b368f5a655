#pragma once

#include <string>
#include <string_view>

namespace galemend {

// The locale variables a Unix process starts with (empty when not set), and whether the C
// library can load the LC_CTYPE locale they name (Wine then stays in "C").
struct LocaleVariables {
    std::string lcAll{};
    std::string lcCtype{};
    std::string lang{};
    bool installed = true;
};

// The Windows name Wine makes of the process's LC_CTYPE locale for its system locale:
// "ja_JP.UTF-8" gives "ja-JP", "sr_RS@latin" "sr-Latn-RS", "ca_ES@valencia" "ca-ES-valencia",
// "C" and "POSIX" "en-US". Empty when it makes none (no locale at all, a name of 85 characters
// or more); Wine then takes US English.
std::string WineSystemLocaleName(const LocaleVariables& variables);

// The ANSI code page of that system locale, as GetACP answers under Wine: the code page of
// the locale of exactly that name, regardless of case (a country Wine does not know for the
// language is not looked up without it); 65001 for a locale written only in Unicode; 1252
// for a name Wine does not know, which leaves it in US English.
unsigned AnsiCodePageOfLocale(std::string_view windowsName);

// GetACP of a Windows program that Wine starts with these variables.
unsigned WineAnsiCodePage(const LocaleVariables& variables);

// This process's locale variables, with installed asked of the C library.
LocaleVariables ProcessLocaleVariables();

}  // namespace galemend
