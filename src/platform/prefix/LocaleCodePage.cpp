#include "platform/prefix/LocaleCodePage.h"

#include <locale.h>

#include <cstdlib>

namespace galemend {
namespace {

// Wine's locales by name, for every ANSI code page but 1252, which all others have. Locales
// written only in Unicode have 65001 (UTF-8).
struct CodePageLocales {
    unsigned codePage;
    std::string_view names;  // separated by blanks, one after the last
};

constexpr CodePageLocales kLocales[] = {
    {874, "th th-TH "},
    {932, "ja ja-JP ja-JP_radstr "},
    {936,
     "zh zh-CN zh-CN_phoneb zh-CN_stroke zh-Hans zh-Hans-HK zh-Hans-MO zh-SG zh-SG_phoneb "
     "zh-SG_stroke "},
    {949, "ko ko-KR "},
    {950,
     "zh-Hant zh-HK zh-HK_radstr zh-MO zh-MO_radstr zh-MO_stroke zh-TW zh-TW_pronun "
     "zh-TW_radstr "},
    {1250,
     "bs bs-Latn bs-Latn-BA cs cs-CZ hr hr-BA hr-HR hu hu-HU hu-HU_technl pl pl-PL ro ro-MD "
     "ro-RO sk sk-SK sl sl-SI sq sq-AL sq-MK sq-XK sr sr-Latn sr-Latn-BA sr-Latn-ME "
     "sr-Latn-RS sr-Latn-XK tk tk-TM "},
    {1251,
     "az-Cyrl az-Cyrl-AZ ba ba-RU be be-BY bg bg-BG bs-Cyrl bs-Cyrl-BA ky ky-KG mk mk-MK mn "
     "mn-Cyrl mn-MN ru ru-BY ru-KG ru-KZ ru-MD ru-RU ru-UA sah sah-RU sr-Cyrl sr-Cyrl-BA "
     "sr-Cyrl-ME sr-Cyrl-RS sr-Cyrl-XK tg tg-Cyrl tg-Cyrl-TJ tt tt-RU uk uk-UA uz-Cyrl "
     "uz-Cyrl-UZ "},
    {1253, "el el-CY el-GR "},
    {1254, "az az-Latn az-Latn-AZ tr tr-CY tr-TR uz uz-Latn uz-Latn-UZ "},
    {1255, "he he-IL "},
    {1256,
     "ar ar-001 ar-AE ar-BH ar-DJ ar-DZ ar-EG ar-EH ar-ER ar-IL ar-IQ ar-JO ar-KM ar-KW ar-LB "
     "ar-LY ar-MA ar-MR ar-OM ar-PS ar-QA ar-SA ar-SD ar-SO ar-SS ar-SY ar-TD ar-TN ar-YE fa "
     "fa-IR ku ku-Arab ku-Arab-IQ pa-Arab pa-Arab-PK prs prs-AF sd sd-Arab sd-Arab-PK ug "
     "ug-CN ur ur-IN ur-PK "},
    {1257, "et et-EE lt lt-LT lv lv-LV "},
    {1258, "vi vi-VN "},
    {65001,
     "aa aa-DJ aa-ER aa-ET agq agq-CM ak ak-GH am am-ET as as-IN asa asa-TZ ast ast-ES bas "
     "bas-CM bem bem-ZM bez bez-TZ bm bm-Latn bm-Latn-ML bn bn-BD bn-IN bo bo-CN bo-IN brx "
     "brx-IN byn byn-ER ccp ccp-Cakm ccp-Cakm-BD ccp-Cakm-IN ce ce-RU ceb ceb-Latn "
     "ceb-Latn-PH cgg cgg-UG chr chr-Cher chr-Cher-US cu cu-RU dav dav-KE de-IT dje dje-NE "
     "doi doi-Deva doi-Deva-IN dua dua-CM dv dv-MV dyo dyo-SN dz dz-BT ebu ebu-KE ee ee-GH "
     "ee-TG en-150 en-AE en-AT en-BI en-CH en-CY en-DE en-DK en-FI en-IL en-NL en-SE en-SI eo "
     "eo-001 es-BR es-BZ ewo ewo-CM ff-Adlm ff-Adlm-BF ff-Adlm-CM ff-Adlm-GH ff-Adlm-GM "
     "ff-Adlm-GN ff-Adlm-GW ff-Adlm-LR ff-Adlm-MR ff-Adlm-NE ff-Adlm-NG ff-Adlm-SL ff-Adlm-SN "
     "ff-Latn-BF ff-Latn-GH ff-Latn-GM ff-Latn-GW ff-Latn-LR ff-Latn-NE ff-Latn-SL fo-DK fur "
     "fur-IT ga-GB gu gu-IN guz guz-KE gv gv-GB gv-IM hi hi-IN hy hy-AM ia ia-001 ii ii-CN "
     "it-VA iu-Cans iu-Cans-CA jgo jgo-CM jmc jmc-TZ ka ka-GE ka-GE_modern kab kab-DZ kam "
     "kam-KE kde kde-TZ kea kea-CV kgp kgp-BR khq khq-ML ki ki-KE kk kk-KZ kkj kkj-CM kln "
     "kln-KE km km-KH kn kn-IN ko-KP kok kok-IN ks ks-Arab ks-Arab-IN ks-Deva ks-Deva-IN ksb "
     "ksb-TZ ksf ksf-CM ksh ksh-DE ku-Arab-IR kw kw-GB lag lag-TZ lg lg-UG lkt lkt-US ln "
     "ln-AO ln-CD ln-CF ln-CG lo lo-LA lrc lrc-IQ lrc-IR lu lu-CD luo luo-KE luy luy-KE mai "
     "mai-IN mas mas-KE mas-TZ mer mer-KE mfe mfe-MU mg mg-MG mgh mgh-MZ mgo mgo-CM mi mi-NZ "
     "ml ml-IN mn-Mong mn-Mong-CN mn-Mong-MN mni mni-Beng mni-IN mr mr-IN mt mt-MT mua mua-CM "
     "my my-MM mzn mzn-IR naq naq-NA nd nd-ZW nds nds-DE nds-NL ne ne-IN ne-NP nmg nmg-CM nnh "
     "nnh-CM nqo nqo-GN nr nr-ZA nus nus-SS nyn nyn-UG om om-ET om-KE or or-IN os os-GE os-RU "
     "pa pa-Guru pa-IN pcm pcm-Latn pcm-Latn-NG ps ps-AF ps-PK pt-CH pt-GQ pt-LU rn rn-BI rof "
     "rof-TZ rwk rwk-TZ sa sa-IN saq saq-KE sat sat-Olck sat-Olck-IN sbp sbp-TZ sc sc-IT "
     "sd-Deva sd-Deva-IN seh seh-MZ ses ses-ML sg sg-CF shi shi-Latn shi-Latn-MA shi-Tfng "
     "shi-Tfng-MA si si-LK sn sn-Latn sn-Latn-ZW so so-DJ so-ET so-KE so-SO ss ss-SZ ss-ZA "
     "ssy ssy-ER st st-LS st-ZA su su-Latn su-Latn-ID syr syr-SY ta ta-IN ta-LK ta-MY ta-SG "
     "te te-IN teo teo-KE teo-UG ti ti-ER ti-ET tig tig-ER to to-TO ts ts-ZA twq twq-NE "
     "tzm-Latn-MA uz-Arab uz-Arab-AF vai vai-Latn vai-Latn-LR vai-Vaii vai-Vaii-LR ve ve-ZA "
     "vo vo-001 vun vun-TZ wae wae-CH wal wal-ET xog xog-UG yav yav-CM yi yi-001 yrl yrl-BR "
     "yrl-CO yrl-VE yue yue-Hans yue-Hans-CN yue-Hant yue-Hant-HK zgh zgh-Tfng zgh-Tfng-MA "},
};

constexpr unsigned kWesternEuropean = 1252;
constexpr std::size_t kMaxLocaleName = 85;  // LOCALE_NAME_MAX_LENGTH, with its final zero

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// Unix locale modifiers that name a script, as Wine writes them in a Windows locale name.
struct ScriptModifier {
    std::string_view modifier;
    std::string_view script;
};

constexpr ScriptModifier kScripts[] = {
    {"arabic", "-Arab"},     {"chakma", "-Cakm"},   {"cherokee", "-Cher"}, {"cyrillic", "-Cyrl"},
    {"devanagari", "-Deva"}, {"gurmukhi", "-Guru"}, {"javanese", "-Java"}, {"latin", "-Latn"},
    {"mongolian", "-Mong"},  {"syriac", "-Syrc"},   {"tifinagh", "-Tfng"}, {"tibetan", "-Tibt"},
    {"vai", "-Vaii"},        {"yi", "-Yiii"},
};

// The LC_CTYPE locale as setlocale(LC_CTYPE, "") sets it: LC_ALL, else LC_CTYPE, else LANG (an
// empty variable counts as unset), else "C"; "C" as well when that locale is not installed.
// The other categories do not matter: Wine keeps this one when the rest cannot be loaded.
std::string_view CtypeLocale(const LocaleVariables& v) {
    if (!v.installed) {
        return "C";
    }
    for (const std::string* name : {&v.lcAll, &v.lcCtype, &v.lang}) {
        if (!name->empty()) {
            return *name;
        }
    }
    return "C";
}

}  // namespace

std::string WineSystemLocaleName(const LocaleVariables& variables) {
    std::string_view unixName = CtypeLocale(variables);
    // "C" is also what a locale that could not be loaded leaves; Wine then reads LC_ALL itself.
    if (unixName.empty() || unixName == "C") {
        unixName = variables.lcAll;
        if (unixName.empty()) {
            return "";
        }
    }
    if (unixName.size() >= kMaxLocaleName) {
        return "";
    }
    // language[_country][.charset][@modifier]
    const std::size_t separator = unixName.find_first_of("_.@");
    if (separator == std::string_view::npos) {
        return unixName == "POSIX" || unixName == "C" ? "en-US" : std::string(unixName);
    }
    std::string name(unixName.substr(0, separator));
    std::string_view country;
    std::string_view rest = unixName.substr(separator);
    if (rest.front() == '_') {
        const std::size_t end = rest.find_first_of(".@", 1);
        country = rest.substr(1, end == std::string_view::npos ? end : end - 1);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    }
    if (!rest.empty() && rest.front() == '.') {
        const std::size_t at = rest.find('@');
        rest = at == std::string_view::npos ? std::string_view() : rest.substr(at);
    }
    std::string_view variant;
    if (!rest.empty()) {
        const std::string_view modifier = rest.substr(1);
        for (const ScriptModifier& script : kScripts) {
            if (modifier == script.modifier) {
                name += script.script;
            }
        }
        if (modifier == "saaho") {
            name = "ssy";
        } else if (modifier == "valencia") {
            variant = "-valencia";
        }  // any other modifier ("euro") is passed over
    }
    if (!country.empty() || unixName[separator] == '_') {
        name += '-';
        name += country;
    }
    return name + std::string(variant);
}

unsigned AnsiCodePageOfLocale(std::string_view windowsName) {
    const std::string name = LowerAscii(windowsName);
    for (const CodePageLocales& group : kLocales) {
        for (std::size_t start = 0, end = 0;
             (end = group.names.find(' ', start)) != std::string_view::npos; start = end + 1) {
            if (!name.empty() && LowerAscii(group.names.substr(start, end - start)) == name) {
                return group.codePage;
            }
        }
    }
    return kWesternEuropean;
}

unsigned WineAnsiCodePage(const LocaleVariables& variables) {
    return AnsiCodePageOfLocale(WineSystemLocaleName(variables));
}

LocaleVariables ProcessLocaleVariables() {
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    LocaleVariables variables{variable("LC_ALL"), variable("LC_CTYPE"), variable("LANG")};
    // Loading the LC_CTYPE locale as setlocale would, without changing this process's.
    const locale_t loaded = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    variables.installed = loaded != static_cast<locale_t>(nullptr);
    if (loaded != static_cast<locale_t>(nullptr)) {
        freelocale(loaded);
    }
    return variables;
}

}  // namespace galemend
