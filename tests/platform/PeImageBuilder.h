#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace galemend::test {

struct PeResource {
    std::uint16_t type = 16;
    std::uint16_t id = 1;
    std::uint16_t language = 0x0409;
    std::string data;
};

// A minimal PE image: DOS header, PE headers, and one ".rsrc" section at sectionRva holding
// the resource tree, as a linker lays it out (ids sorted unless told otherwise).
struct PeImageSpec {
    bool pe32Plus = true;
    bool sortEntries = true;
    std::uint32_t sectionRva = 0x2000;
    std::vector<PeResource> resources{};
};

// Where the parts of every built image lie, for tests that break them.
inline constexpr std::size_t kPeHeader = 0x80;
inline constexpr std::size_t kOptionalHeader = kPeHeader + 24;
inline constexpr std::size_t kResourceSection = 0x200;  // the section's raw data
std::size_t SectionTableOf(bool pe32Plus);
// The offset of the resource data directory's RVA in the optional header.
std::size_t ResourceDirectoryOf(bool pe32Plus);

std::string BuildPeImage(const PeImageSpec& spec);

// A VS_VERSIONINFO block in the 32-bit layout: its key, then the fixed file information.
std::string VersionInfo(std::string_view fixedFileInfo);

void PutU16(std::string& bytes, std::size_t offset, std::uint16_t value);
void PutU32(std::string& bytes, std::size_t offset, std::uint32_t value);

}  // namespace galemend::test
