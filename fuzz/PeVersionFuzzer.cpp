// The version resource of any file's bytes. The reader must stay inside the input (the
// sanitizers watch every read), answer with a view into it or report a broken file, and find
// any bytes again when they are placed as the version resource of a well-formed image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "PeImageBuilder.h"
#include "platform/prefix/PeVersion.h"

namespace {

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

std::uint16_t Word(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

// A root block of the usual form: the 32-bit layout, the key "VS_VERSION_INFO", a 52-byte
// value at offset 40, and a length that covers it within the resource.
bool IsUsualBlock(std::string_view resource) {
    static const std::string kKey = [] {
        std::string key;
        for (const char c : std::string_view("VS_VERSION_INFO", 16)) {
            key += c;
            key += '\0';
        }
        return key;
    }();
    return resource.size() >= 92 && Word(resource, 0) >= 92 &&
           Word(resource, 0) <= resource.size() && Word(resource, 2) == 52 &&
           Word(resource, 4) == 0 && resource.substr(6, 32) == kKey;
}

void CheckResource(std::string_view resource) {
    const std::string block = galemend::RootBlockOf(resource);
    // The buffer the Windows build hands over is twice the resource and 5 bytes more.
    Require(block.size() <= 0xFFFF && block.size() <= 2 * resource.size() + 5);
    if (IsUsualBlock(resource)) {
        Require(block == resource.substr(40, 52));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const galemend::ResourceLanguages languages{
        .user = static_cast<std::uint16_t>(size >= 2 ? Word(input, 0) : 0x0409),
        .system = static_cast<std::uint16_t>(size >= 4 ? Word(input, 2) : 0x0409)};

    // The input as a whole file.
    try {
        const auto resource = galemend::FindVersionResource(input, "fuzz.exe", languages);
        if (resource) {
            Require(resource->empty() ||
                    (resource->data() >= input.data() &&
                     resource->data() + resource->size() <= input.data() + input.size()));
            CheckResource(*resource);
        }
    } catch (const galemend::PeFormatError& error) {
        Require(error.Path() == "fuzz.exe" && !error.Reason().empty());
    }

    // The input as the version resource of a well-formed image, beside other resources.
    const std::uint16_t other = languages.user == 0x7F ? 0x7E : 0x7F;
    for (const bool pe32Plus : {true, false}) {
        const std::string image =
            galemend::test::BuildPeImage({.pe32Plus = pe32Plus,
                                          .resources = {{3, 1, 0, "icon"},
                                                        {16, 1, languages.user, std::string(input)},
                                                        {16, 1, other, "another language"},
                                                        {24, 1, 0x0409, "<assembly/>"}}});
        const auto found = galemend::FindVersionResource(image, "built.exe", languages);
        Require(found.has_value() && *found == input);
        Require(galemend::VersionRootBlockOfImage(image, "built.exe", languages) ==
                galemend::RootBlockOf(input));
    }
    return 0;
}
