// The native builds' code pages come from glibc's iconv, which knows the Windows ANSI code
// pages as "CP<number>".
#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/CodePages.h"

namespace galemend {

namespace {

// One conversion direction, closed with its owner.
class Converter {
  public:
    Converter(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (Valid()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input; errno tells why when it fails.
    bool Convert(std::string_view in, std::string& out) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
        std::array<char, 16> buffer{};
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
            inLeft != 0) {
            return false;
        }
        out.assign(buffer.data(), buffer.size() - outLeft);
        return true;
    }

  private:
    iconv_t cd_;
};

class IconvSource : public CodePageSource {
  public:
    explicit IconvSource(const std::string& name)
        : decoder_("UTF-32LE", name), encoder_(name, "UTF-32LE") {
        if (!Valid()) {
            return;
        }
        // A byte that alone is an incomplete character starts a two-byte one.
        for (unsigned b = 0; b < 256; ++b) {
            std::string out;
            const char byte = static_cast<char>(b);
            lead_[b] = !decoder_.Convert(std::string_view(&byte, 1), out) && errno == EINVAL;
            doubleByte_ = doubleByte_ || lead_[b];
        }
    }

    bool Valid() const { return decoder_.Valid() && encoder_.Valid(); }

    Kind PageKind() const override { return doubleByte_ ? Kind::DoubleByte : Kind::SingleByte; }
    bool IsLeadByte(unsigned char byte) const override { return lead_[byte]; }

    std::optional<char32_t> Decode(std::string_view bytes) const override {
        std::string out;
        if (!decoder_.Convert(bytes, out) || out.size() != 4) {
            return std::nullopt;
        }
        char32_t c = 0;
        for (size_t k = 4; k-- > 0;) {
            c = (c << 8) | static_cast<unsigned char>(out[k]);
        }
        return c;
    }

    std::optional<std::string> Encode(char32_t c) const override {
        std::string in(4, '\0');
        for (size_t k = 0; k < 4; ++k) {
            in[k] = static_cast<char>((c >> (8 * k)) & 0xFF);
        }
        std::string out;
        if (!encoder_.Convert(in, out)) {
            return std::nullopt;
        }
        return out;
    }

    // iconv has no default character of its own; "?" is what Windows' code pages use.
    std::string Unmapped(char32_t) const override { return "?"; }

  private:
    Converter decoder_;
    Converter encoder_;
    std::array<bool, 256> lead_{};
    bool doubleByte_ = false;
};

}  // namespace

std::unique_ptr<CodePageSource> SystemCodePageSource(unsigned number) {
    auto source = std::make_unique<IconvSource>("CP" + std::to_string(number));
    if (!source->Valid()) {
        return nullptr;
    }
    return source;
}

}  // namespace galemend
