#include "platform/CodePages.h"

#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

namespace galemend {

namespace {

// UTF-8 as the ANSI code page: no tables, the decoder checks the forms itself.
class Utf8Source : public CodePageSource {
  public:
    Kind PageKind() const override { return Kind::Utf8; }
    bool IsLeadByte(unsigned char) const override { return false; }
    std::optional<char32_t> Decode(std::string_view) const override { return std::nullopt; }
    std::optional<std::string> Encode(char32_t) const override { return std::nullopt; }
    std::string Unmapped(char32_t) const override { return "?"; }
};

}  // namespace

CodePage SystemCodePage(unsigned number) {
    // Building a double-byte page asks the system about some 30,000 byte pairs: do it once.
    static std::mutex mutex;
    static std::map<unsigned, CodePage> pages;
    const std::lock_guard lock(mutex);
    if (const auto found = pages.find(number); found != pages.end()) {
        return found->second;
    }
    std::unique_ptr<CodePageSource> source =
        number == kUtf8CodePage ? std::make_unique<Utf8Source>() : SystemCodePageSource(number);
    if (!source) {
        throw std::invalid_argument("the system has no code page " + std::to_string(number));
    }
    return pages.emplace(number, CodePage(number, std::move(source))).first->second;
}

}  // namespace galemend
