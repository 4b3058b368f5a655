// A Wine prefix's registry files read natively. The fragments are what Wine 8.0 wrote to
// system.reg for values set with `reg add` and `regedit` in a fresh prefix, and the expected
// answers are what WScript.Shell's RegRead gave for them in that prefix (cscript): the
// surprises are noted where they are tested.
#include "platform/prefix/WineRegistry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

constexpr std::string_view kSystemHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";

WineRegistry Machine(std::string_view body) {
    WineRegistry registry;
    registry.LoadText(std::string(kSystemHeader) + std::string(body),
                      WineRegistry::Hive::LocalMachine, "system.reg");
    return registry;
}

std::string Expand(const std::string& text) {
    std::string expanded = text;
    for (std::size_t at; (at = expanded.find("%windir%")) != std::string::npos;) {
        expanded.replace(at, 8, "C:\\windows");
    }
    return expanded;
}

// What RegRead gives, or "error" when it fails.
std::string Read(const WineRegistry& registry, std::string_view path) {
    try {
        return registry.Read(path, Expand);
    } catch (const RegistryError&) {
        return "error";
    }
}

std::vector<std::string> ProblemTexts(const WineRegistry& registry) {
    std::vector<std::string> texts;
    for (const auto& problem : registry.Problems()) {
        texts.push_back(problem.Text());
    }
    return texts;
}

// Wine writes ASCII only: each UTF-16 unit above 127 as \x (padded to four digits when a hex
// digit follows, so "ï" before "c" is \x00ef), surrogate pairs as two escapes, control
// characters as C escapes or octal (\0 padded to \000 before a digit), [ and ] in key names
// escaped.
constexpr std::string_view kWritten = R"reg(
[Software\\GalemendProbe] 1796786768
#time=1dd878d08119120
@="the default"
"AccentHex"="\xe9\0001\0\xe9\0z\0\0"
"Binary"=hex:01,ff,00
"Controls"="A\n\t\r\0015\e"
"Dword"=dword:0000000a
"Empty"=""
"EmptyMulti"=str(7):""
"Expand"=str(2):"%windir%\\g"
"Minus"=dword:ffffffff
"Multi"=str(7):"one\0two words\0"
"Quote \"q\" and \\"="say \"hi\" \\ back\\slash"
"Tab\tName"="x"
"Utf8"="Gr\xfc\x00dfe \x661f"
"Long"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\
  17,18,19,1a,1b,1c,1d,1e,1f,20

[Software\\GalemendProbe\\Br\[ack\]ets] 1796786766
#time=1dd878d06d135c2
"x"="y"

[Software\\GalemendProbe\\\xdcn\x00efc\x00f8d\xe9 \x661f] 1796786767
#time=1dd878d07270c18
"\x540d\x524d \xd83d\xde00"="C:\\Games\\\x661f\x6d77 Corvane"
"Lone"="\xd800A"
)reg";

TEST(WineRegistry, ReadsValuesAsWineWritesThem) {
    const WineRegistry registry = Machine(kWritten);
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\GalemendProbe\\";
    const std::pair<std::string, std::string> cases[] = {
        {key, "the default"},
        {key + "AccentHex", "\xC3\xA9"},
        {key + "Binary", "1 255 0"},
        {key + "Controls",
         "A\n\t\r\x01"
         "5\x1B"},
        {key + "Dword", "10"},
        {key + "Empty", ""},
        {key + "EmptyMulti", ""},
        {key + "Expand", "C:\\windows\\g"},
        {key + "Minus", "-1"},
        {key + "Multi", "one two words"},
        {key + "Quote \"q\" and \\", "error"},  // a name ending in "\" cannot be named
        {key + "Tab\tName", "x"},
        {key + "Utf8", "Grüße 星"},
        {key + "Long",
         "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 "
         "27 28 29 30 31 32"},
        {key + "Br[ack]ets\\x", "y"},
        {key + "Ünïcødé 星\\名前 😀", "C:\\Games\\星海 Corvane"},
        {key + "üNÏCØDÉ 星\\名前 😀", "C:\\Games\\星海 Corvane"},
        {key + "Ünïcødé 星\\Lone",
         "\xED\xA0\x80"
         "A"},  // a lone surrogate keeps its form
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(Read(registry, path), expected) << path;
    }
    EXPECT_THAT(ProblemTexts(registry), ::testing::IsEmpty());
    EXPECT_EQ(registry.Arch(), PrefixArch::Win64);
}

// How the loader reads what Wine itself never writes but accepts: UTF-8, odd escapes, the
// number forms strtoul takes.
TEST(WineRegistry, ParsesDataAsWinesLoaderDoes) {
    const auto text = [](std::u16string units) {
        std::string bytes;
        for (const char16_t unit : units + u'\0') {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
    };
    const std::pair<std::string, RegistryData> cases[] = {
        {R"("Grüße 星😀")", {kRegSz, text(u"Grüße 星😀")}},
        {"\"a\xFF"
         "b\xE6\x98\"",
         {kRegSz, text(u"ab")}},  // bytes that are no UTF-8 dropped
        {R"("\101\1012\q\]a\xg")", {kRegSz, text(u"AA2q]axg")}},
        {R"(str:"tagged")", {kRegSz, text(u"tagged")}},
        {R"(str(7):"a\0\0b\0")", {kRegMultiSz, text(std::u16string(u"a\0\0b\0", 5))}},
        {R"(hex(0x1):41,00,00,00)", {kRegSz, text(u"A")}},
        {R"(hex( 2):41,00)", {kRegExpandSz, std::string("A\0", 2)}},
        {R"(hex(ffff1003):00)", {0xFFFF1003, std::string(1, '\0')}},
        {R"(hex:AB , cD,0x12,3)", {kRegBinary, "\xAB\xCD\x12\x03"}},
        {R"(hex:)", {kRegBinary, ""}},
        {R"(dword:zz)", {kRegDword, std::string(4, '\0')}},
        {R"(dword: 1f)", {kRegDword, std::string("\x1F\0\0\0", 4)}},
        {R"(dword:1ffffffff)", {kRegDword, "\xFF\xFF\xFF\xFF"}},
        {R"(dword:-1)", {kRegDword, "\xFF\xFF\xFF\xFF"}},
    };
    for (const auto& [data, expected] : cases) {
        const WineRegistry registry = Machine("[Software\\\\Test]\n\"v\"=" + data + "\n");
        EXPECT_EQ(registry.Query("HKLM\\Software\\Test\\v"), expected) << data;
        EXPECT_THAT(ProblemTexts(registry), ::testing::IsEmpty()) << data;
    }
}

// wineserver passes over what it cannot read, naming file and line on its standard error; a
// malformed value still replaces the value of its name by an empty REG_NONE one.
TEST(WineRegistry, PassesOverLinesAsWinesLoaderDoes) {
    const WineRegistry registry = Machine(R"reg(
"Orphan"="before any key"
[Software\\Edge] 1796786800
"Dup"="one"
"Dup"="two
"Dup2"="one"
"DUP2"="two"
"Continued"=hex:01,02,\ trailing words
   03,\
  04
garbage line here
  "Spaced"   =   "x" tail
"Hex"=hex:zz
"NoEquals" "x"
"CutHex"=hex:01,\
[Software\\Eaten]
[Software\\Broken
"Lost"="x"
  [Software\\Edge\\Indented]
"NoStamp"="yes"
[\\Software\\\\Leading\\]
"Led"="in"
[]
"AtRoot"="base"
[Software\\New\\)reg" + std::string(257, 'k') +
                                          R"reg(]
[Software\\Edge]
"After"="ok")reg");
    const std::string key = "HKLM\\Software\\Edge\\";
    EXPECT_EQ(Read(registry, key + "Dup"), "error");
    EXPECT_EQ(registry.Query(key + "Dup"), RegistryData{});
    EXPECT_EQ(Read(registry, key + "dup2"), "two");
    EXPECT_EQ(registry.FindKey("HKLM\\Software\\Edge")->FindValue(u"dup2")->name, u"Dup2");
    EXPECT_EQ(Read(registry, key + "Continued"), "1 2 3 4");
    EXPECT_EQ(Read(registry, key + "Spaced"), "x");
    EXPECT_EQ(Read(registry, key + "CutHex"), "error");
    EXPECT_EQ(Read(registry, key + "Indented\\NoStamp"), "yes");
    EXPECT_EQ(Read(registry, key + "After"), "ok");
    EXPECT_EQ(Read(registry, "HKLM\\Software\\Broken\\Lost"), "error");
    EXPECT_EQ(Read(registry, key + "Lost"), "error");
    EXPECT_EQ(registry.Root().Subkey(u"Machine")->FindValue(u"AtRoot")->data.bytes,
              std::string("b\0a\0s\0e\0\0\0", 10));
    // Wine 8 skips empty names; a name too long fails the line, but not the keys before it.
    EXPECT_EQ(Read(registry, "HKLM\\Software\\Leading\\Led"), "in");
    EXPECT_NE(registry.FindKey("HKLM\\Software\\New"), nullptr);
    EXPECT_THAT(ProblemTexts(registry),
                ::testing::ElementsAre(
                    "system.reg:6: Value without key", "system.reg:9: Malformed value",
                    "system.reg:15: Unrecognized input", "system.reg:17: Malformed value",
                    "system.reg:18: Malformed value name", "system.reg:20: Malformed value",
                    "system.reg:21: Malformed key", "system.reg:21: Error creating key",
                    "system.reg:22: Value without key", "system.reg:29: Error creating key",
                    "system.reg:31: the last line has no line end: the file may be cut off"));
}

TEST(WineRegistry, RefusesFilesWineRefuses) {
    const auto failure = [](std::string_view text) {
        WineRegistry registry;
        try {
            registry.LoadText(text, WineRegistry::Hive::LocalMachine, "system.reg");
        } catch (const RegistryFileError& error) {
            return std::to_string(error.Line()) + " " + error.what();
        }
        return std::string("loaded");
    };
    EXPECT_EQ(failure(""),
              "1 system.reg:1: not a Wine registry file: no \"WINE REGISTRY Version 2\" line");
    EXPECT_THAT(failure("\xEF\xBB\xBFWINE REGISTRY Version 2\n"), ::testing::StartsWith("1 "));
    EXPECT_THAT(failure("WINE REGISTRY Version 1\n"), ::testing::StartsWith("1 "));
    EXPECT_EQ(failure("WINE REGISTRY Version 2\r\n\n#arch=win99\n"),
              "3 system.reg:3: Unknown architecture");
    EXPECT_EQ(failure("WINE REGISTRY Version 2\r\n#arch=win32\r\n"), "loaded");

    // user.reg must agree with system.reg's architecture; a file without one is 32-bit.
    WineRegistry registry = Machine("");
    EXPECT_THROW(registry.LoadText("WINE REGISTRY Version 2\n#arch=win32\n",
                                   WineRegistry::Hive::CurrentUser, "user.reg"),
                 RegistryFileError);
    WineRegistry old;
    old.LoadText("WINE REGISTRY Version 2\n", WineRegistry::Hive::LocalMachine, "system.reg");
    EXPECT_EQ(old.Arch(), PrefixArch::Win32);
}

TEST(WineRegistry, ReadsAPrefixFolder) {
    test::ScopedTempDir prefix;
    prefix.Write("system.reg", std::string(kSystemHeader) +
                                   "\n[Software\\\\Classes\\\\.galaxy]\n@=\"Galaxy map\"\n");
    try {
        WineRegistry::FromPrefix(prefix.Host().string());
        ADD_FAILURE() << "a prefix without user.reg was read";
    } catch (const RegistryFileError& error) {
        EXPECT_EQ(error.File(), (prefix.Host() / "user.reg").string());
        EXPECT_EQ(error.Line(), 0);
    }
    prefix.Write("user.reg",
                 "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-"
                 "0-0-0-1000\n\n#arch=win64\n\n[Software\\\\Wine]\n\"Version\"=\"winxp\"\n");
    const WineRegistry registry = WineRegistry::FromPrefix(prefix.Host().string() + "/");
    EXPECT_EQ(Read(registry, "HKCU\\Software\\Wine\\Version"), "winxp");
    EXPECT_EQ(Read(registry, "HKEY_USERS\\S-1-5-21-0-0-0-1000\\Software\\Wine\\Version"), "winxp");
    EXPECT_EQ(Read(registry, "HKCR\\.galaxy\\"), "Galaxy map");
    EXPECT_EQ(Read(registry, "HKLM\\Software\\Wine\\Version"), "error");
}

// The scripting host's own reading of the path, as it answered in the probe prefix.
TEST(WineRegistry, ReadsPathsAsTheScriptingHostDoes) {
    WineRegistry registry = Machine(R"reg(
[Software\\Edge]
@="edge default"
"Plain"="C:\\Games\\Corvane"
[Software\\Classes\\MachineClass]
@="from the machine"
[System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]
"LogPixels"=dword:00000060
)reg");
    registry.LoadText(
        "WINE REGISTRY Version 2\n[]\n\"RootVal\"=\"r\"\n@=\"d\"\n"
        "[Software\\\\Classes\\\\UserClass]\n@=\"from the user\"\n",
        WineRegistry::Hive::CurrentUser, "user.reg");
    const std::pair<std::string, std::string> cases[] = {
        {"HKLM\\Software\\Edge\\Plain", "C:\\Games\\Corvane"},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\edge\\PLAIN", "C:\\Games\\Corvane"},
        {"hklm\\Software\\Edge\\Plain", "error"},                // root names keep their case
        {"HKLMX\\Software\\Edge\\Plain", "C:\\Games\\Corvane"},  // and only start the path
        {"HKEY_LOCAL_MACHINEZ\\Software\\Edge\\Plain", "C:\\Games\\Corvane"},
        {"HKLM\\Software\\Edge\\", "edge default"},
        {"HKLM\\Software\\Edge\\\\", "edge default"},
        {"HKLM\\Software\\\\Edge\\\\Plain", "C:\\Games\\Corvane"},
        {"HKLM\\\\Software\\Edge\\Plain", "error"},  // the key path starts with "\"
        {"HKLM\\Software\\Edge", "error"},           // a value named Edge
        {"HKLM\\Software\\Edge\\Missing", "error"},
        {std::string("HKLM\\Software\\Edge\\Plain\0X", 26), "C:\\Games\\Corvane"},
        {"HKCU\\RootVal", "error"},  // a value right under a root cannot be named
        {"HKCU\\", "d"},
        {"HKLM", "error"},
        {"Software\\Edge\\Plain", "error"},
        {"HKCR\\MachineClass\\", "from the machine"},
        {"HKEY_CLASSES_ROOT\\UserClass\\", "error"},  // Wine 8's HKCR is the machine's only
        {"HKEY_CURRENT_CONFIG\\Software\\Fonts\\LogPixels", "96"},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(Read(registry, path), expected) << path;
    }
}

std::string LinkTo(std::u16string_view target) {
    std::string line = "\"SymbolicLinkValue\"=hex(6):";
    for (const char16_t unit : target) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "%02x,%02x,", unit & 0xFF, unit >> 8);
        line += byte;
    }
    line.pop_back();
    return line + "\n";
}

// Wine keeps some keys as symbolic links (Software\Wow6432Node\Classes and others): opening
// one opens its target, also while the file is loaded.
TEST(WineRegistry, FollowsLinks) {
    const WineRegistry registry = Machine(
        "[Software\\\\Edge]\n\"Plain\"=\"p\"\n"
        "[Software\\\\Link]\n#link\n" +
        LinkTo(u"\\Registry\\Machine\\Software\\Edge") +
        "[Software\\\\Link\\\\Under]\n\"Sub\"=\"under link\"\n"
        "[Software\\\\BadLink]\n#link\n" +
        LinkTo(u"\\REGISTRY\\Machine\\Software\\Nowhere") + "[Software\\\\Loop]\n#link\n" +
        LinkTo(u"\\Registry\\Machine\\Software\\Loop") + "[Software\\\\Outside]\n#link\n" +
        LinkTo(u"\\Device\\Software\\Edge"));
    EXPECT_EQ(Read(registry, "HKLM\\Software\\Link\\Plain"), "p");
    EXPECT_EQ(Read(registry, "HKLM\\Software\\Edge\\Under\\Sub"), "under link");
    EXPECT_EQ(Read(registry, "HKLM\\Software\\Link\\Under\\Sub"), "under link");
    EXPECT_EQ(Read(registry, "HKLM\\Software\\Link\\SymbolicLinkValue"), "error");
    EXPECT_EQ(Read(registry, "HKLM\\Software\\BadLink\\Plain"), "error");
    EXPECT_EQ(registry.FindKey("HKLM\\Software\\Loop"), nullptr);
    EXPECT_EQ(registry.FindKey("HKLM\\Software\\Outside"), nullptr);
    EXPECT_EQ(registry.FindKey("HKLM\\Software\\Link"), registry.FindKey("HKLM\\Software\\Edge"));
}

// Data Wine's query hands the scripting host as it is stored, where the Windows build's
// native route would refuse or cut it.
TEST(WineRegistry, ReadsOddDataAsTheScriptingHostDoes) {
    const WineRegistry registry = Machine(R"reg(
[Software\\Edge]
"NoNul"=hex(1):41,00,42,00
"OddNoNul"=hex(1):41,00,42,00,43
"InnerNul"=hex(1):41,00,00,00,42,00,00,00
"ExpandNoNul"=hex(2):25,00,77,00,69,00,6e,00,64,00,69,00,72,00,25,00
"MultiInnerEmpty"=hex(7):61,00,00,00,00,00,62,00,00,00,00,00
"LongDword"=hex(4):01,02,00,00,05,06,07,08
"ShortDword"=hex(4):01,02
"EmptyBinary"=hex:
"Qword"=hex(b):01,00,00,00,00,00,00,00
"BigEndian"=hex(5):00,00,00,01
"None"=hex(0):
)reg");
    const std::pair<std::string, std::string> cases[] = {
        {"NoNul", "AB"},
        {"OddNoNul", "ABC"},  // the odd byte becomes a character of its own
        {"InnerNul", "A"},
        {"ExpandNoNul", "C:\\windows"},
        {"MultiInnerEmpty", "a"},
        {"LongDword", "513"},
        {"ShortDword", "513"},  // Wine reads past the two bytes; here they are zeros
        {"EmptyBinary", ""},
        {"Qword", "error"},
        {"BigEndian", "error"},
        {"None", "error"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(Read(registry, "HKLM\\Software\\Edge\\" + name), expected) << name;
    }
}

}  // namespace
}  // namespace galemend
