// The ANSI code page Wine takes from the Unix locale. Every expected number is what GetACP
// answered under Wine 8.0 started with these variables (locales made with localedef where
// this machine had none).
#include "platform/prefix/LocaleCodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace galemend {
namespace {

unsigned CodePageOf(const char* lang) {
    return WineAnsiCodePage({.lang = lang});
}

TEST(LocaleCodePage, ByLanguageScriptAndCountry) {
    const struct {
        const char* lang;
        unsigned codePage;
    } cases[] = {
        {"ja_JP.UTF-8", 932},
        {"ja_JP.eucJP", 932},
        {"JA_jp.UTF-8", 932},
        {"ja", 932},
        {"zh_CN.UTF-8", 936},
        {"zh_SG.UTF-8", 936},
        {"zh_TW.UTF-8", 950},
        {"zh_HK.UTF-8", 950},
        {"zh_MO", 950},
        {"ko_KR.UTF-8", 949},
        {"ru_RU.UTF-8", 1251},
        {"uk_UA.UTF-8", 1251},
        {"bg_BG.UTF-8", 1251},
        {"be_BY.UTF-8", 1251},
        {"mn_MN.UTF-8", 1251},
        {"pl_PL.UTF-8", 1250},
        {"cs_CZ.UTF-8", 1250},
        {"hu_HU.UTF-8", 1250},
        {"el_GR.UTF-8", 1253},
        {"tr_TR.UTF-8", 1254},
        {"he_IL.UTF-8", 1255},
        {"ar_EG.UTF-8", 1256},
        {"fa_IR.UTF-8", 1256},
        {"lt_LT.UTF-8", 1257},
        {"lv_LV.UTF-8", 1257},
        {"et_EE.UTF-8", 1257},
        {"vi_VN.UTF-8", 1258},
        {"th_TH.UTF-8", 874},
        {"de_DE.UTF-8", 1252},
        {"de_DE@euro", 1252},
        {"pt_BR.UTF-8", 1252},
        {"en_GB.UTF-8", 1252},
        {"fr_FR.UTF-8", 1252},
        // Written only in Unicode: UTF-8.
        {"hi_IN.UTF-8", 65001},
        {"kk_KZ.UTF-8", 65001},
        {"am_ET.UTF-8", 65001},
        {"sd_IN.UTF-8@devanagari", 65001},
        // Scripts from modifiers; other modifiers are passed over.
        {"sr_RS.UTF-8@latin", 1250},
        {"sr_RS@cyrillic", 1251},
        {"uz_UZ.UTF-8@cyrillic", 1251},
        {"tt_RU.UTF-8@iqtelif", 1251},
        // Names Wine has no locale of, not even the language's: US English. Windows names
        // Serbian, Azeri and Uzbek only with their script.
        {"sr_RS.UTF-8", 1252},
        {"sr_ME.UTF-8", 1252},
        {"az_AZ.UTF-8", 1252},
        {"uz_UZ.UTF-8", 1252},
        {"be_BY.UTF-8@latin", 1252},
        {"ja_XX.UTF-8", 1252},
        {"ja_.UTF-8", 1252},
        {"xx_YY", 1252},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageOf(c.lang), c.codePage) << c.lang;
    }
}

TEST(LocaleCodePage, WhichVariableCounts) {
    EXPECT_EQ(
        WineAnsiCodePage({.lcAll = "ja_JP.UTF-8", .lcCtype = "ru_RU.UTF-8", .lang = "ko_KR.UTF-8"}),
        932u);
    EXPECT_EQ(WineAnsiCodePage({.lcCtype = "ru_RU.UTF-8", .lang = "ko_KR.UTF-8"}), 1251u);
    EXPECT_EQ(WineAnsiCodePage({.lcAll = "", .lcCtype = "", .lang = "ko_KR.UTF-8"}), 949u);
    EXPECT_EQ(WineAnsiCodePage({.lcAll = "C", .lang = "ja_JP.UTF-8"}), 1252u);
    EXPECT_EQ(WineAnsiCodePage({}), 1252u);
    for (const char* western : {"C", "POSIX", "C.UTF-8", ""}) {
        EXPECT_EQ(CodePageOf(western), 1252u) << western;
    }
    // A locale that is not installed leaves "C"; then Wine reads LC_ALL, and only LC_ALL, as
    // it stands.
    EXPECT_EQ(WineAnsiCodePage({.lang = "pl_PL.UTF-8", .installed = false}), 1252u);
    EXPECT_EQ(WineAnsiCodePage({.lcAll = "pl_PL.UTF-8", .installed = false}), 1250u);
    // Names of 85 characters or more are refused (84 and 86 tried).
    EXPECT_EQ(CodePageOf(("ja_JP." + std::string(78, 'x')).c_str()), 932u);
    EXPECT_EQ(CodePageOf(("ja_JP." + std::string(80, 'x')).c_str()), 1252u);
}

TEST(LocaleCodePage, WindowsLocaleNames) {
    const struct {
        const char* lang;
        const char* name;
    } cases[] = {
        {"sr_RS.UTF-8@latin", "sr-Latn-RS"},
        {"de_DE@euro", "de-DE"},
        {"ca_ES.UTF-8@valencia", "ca-ES-valencia"},
        {"aa_ER@saaho", "ssy-ER"},
        {"pt_BR", "pt-BR"},
        {"POSIX", "en-US"},
        {"C.UTF-8", "C"},
        {"sr@latin", "sr-Latn"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WineSystemLocaleName({.lang = c.lang}), c.name) << c.lang;
    }
}

TEST(LocaleCodePage, ThisProcessAsksTheCLibrary) {
    const char* saved = std::getenv("LC_ALL");
    const std::string previous = saved != nullptr ? saved : "";
    ::setenv("LC_ALL", "xx_XX.UTF-8", 1);
    const LocaleVariables missing = ProcessLocaleVariables();
    ::setenv("LC_ALL", "C", 1);
    const LocaleVariables plain = ProcessLocaleVariables();
    if (saved != nullptr) {
        ::setenv("LC_ALL", previous.c_str(), 1);
    } else {
        ::unsetenv("LC_ALL");
    }
    EXPECT_EQ(missing.lcAll, "xx_XX.UTF-8");
    EXPECT_FALSE(missing.installed);
    EXPECT_TRUE(plain.installed);
}

}  // namespace
}  // namespace galemend
