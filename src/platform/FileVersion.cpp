#include "platform/FileVersion.h"

#include <cstddef>
#include <cstdint>

namespace galemend {

namespace {

// The fixed file information is thirteen little-endian 32-bit words.
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr std::size_t kProductVersionMs = 16;
constexpr std::size_t kProductVersionLs = 20;

std::uint32_t WordAt(const std::string& block, std::size_t offset) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        word |= static_cast<std::uint32_t>(static_cast<unsigned char>(block[offset + i]))
                << (8 * i);
    }
    return word;
}

std::string Halves(std::uint32_t word) {
    return std::to_string(word >> 16) + '.' + std::to_string(word & 0xFFFF);
}

}  // namespace

std::string GetFileVersionString(const SystemProbe& probe, const std::string& path) {
    const std::optional<std::string> block = probe.VersionRootBlock(path);
    if (!block || block->size() < kFixedFileInfoSize) {
        return "";
    }
    return Halves(WordAt(*block, kProductVersionMs)) + '.' +
           Halves(WordAt(*block, kProductVersionLs));
}

}  // namespace galemend
