#include "PeImageBuilder.h"

#include <algorithm>
#include <utility>

namespace galemend::test {
namespace {

constexpr std::uint32_t kSubdirectory = 0x80000000u;

std::size_t AlignedTo(std::size_t value, std::size_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

// One level of the tree: ids in the order they are written, each with its children.
template <typename Child>
using Level = std::vector<std::pair<std::uint16_t, Child>>;
using Tree = Level<Level<Level<std::size_t>>>;  // type, id, language -> resource index

template <typename Child>
Child& ChildOf(Level<Child>& level, std::uint16_t id) {
    auto it =
        std::find_if(level.begin(), level.end(), [&](const auto& e) { return e.first == id; });
    if (it == level.end()) {
        level.emplace_back(id, Child{});
        it = level.end() - 1;
    }
    return it->second;
}

template <typename Child>
void Sort(Level<Child>& level) {
    std::stable_sort(level.begin(), level.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

// Writes a directory at the end of section; its entries point at the offsets given.
void WriteDirectory(std::string& section, std::size_t at, const std::vector<std::uint16_t>& ids,
                    const std::vector<std::uint32_t>& targets) {
    PutU16(section, at + 14, static_cast<std::uint16_t>(ids.size()));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        PutU32(section, at + 16 + 8 * i, ids[i]);
        PutU32(section, at + 20 + 8 * i, targets[i]);
    }
}

std::string ResourceSection(const PeImageSpec& spec) {
    Tree tree;
    for (std::size_t i = 0; i < spec.resources.size(); ++i) {
        const PeResource& r = spec.resources[i];
        ChildOf(ChildOf(ChildOf(tree, r.type), r.id), r.language) = i;
    }
    if (spec.sortEntries) {
        Sort(tree);
        for (auto& [type, names] : tree) {
            Sort(names);
            for (auto& [id, languages] : names) {
                Sort(languages);
            }
        }
    }
    // The directories first, each type followed by its names; then the data entries; then
    // the data.
    std::string section;
    const auto reserve = [&](std::size_t entries) {
        const std::size_t at = section.size();
        section.resize(at + 16 + 8 * entries);
        return at;
    };
    const std::size_t root = reserve(tree.size());
    std::vector<std::uint16_t> typeIds;
    std::vector<std::uint32_t> typeDirs;
    std::vector<std::pair<std::size_t, std::size_t>> leaves;  // entry slot, resource index
    for (auto& [type, names] : tree) {
        typeIds.push_back(type);
        typeDirs.push_back(static_cast<std::uint32_t>(reserve(names.size())) | kSubdirectory);
        std::vector<std::uint16_t> nameIds;
        std::vector<std::uint32_t> nameDirs;
        for (auto& [id, languages] : names) {
            nameIds.push_back(id);
            const std::size_t dir = reserve(languages.size());
            nameDirs.push_back(static_cast<std::uint32_t>(dir) | kSubdirectory);
            PutU16(section, dir + 14, static_cast<std::uint16_t>(languages.size()));
            for (std::size_t i = 0; i < languages.size(); ++i) {
                PutU32(section, dir + 16 + 8 * i, languages[i].first);
                leaves.emplace_back(dir + 20 + 8 * i, languages[i].second);
            }
        }
        WriteDirectory(section, typeDirs.back() & ~kSubdirectory, nameIds, nameDirs);
    }
    WriteDirectory(section, root, typeIds, typeDirs);
    std::vector<std::size_t> dataEntries;
    for (const auto& [slot, index] : leaves) {
        dataEntries.push_back(section.size());
        PutU32(section, slot, static_cast<std::uint32_t>(section.size()));
        section.resize(section.size() + 16);
    }
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        const std::string& data = spec.resources[leaves[i].second].data;
        section.resize(AlignedTo(section.size(), 4));
        PutU32(section, dataEntries[i],
               spec.sectionRva + static_cast<std::uint32_t>(section.size()));
        PutU32(section, dataEntries[i] + 4, static_cast<std::uint32_t>(data.size()));
        section += data;
    }
    return section;
}

}  // namespace

std::size_t SectionTableOf(bool pe32Plus) {
    return kOptionalHeader + (pe32Plus ? 240 : 224);
}

std::size_t ResourceDirectoryOf(bool pe32Plus) {
    return kOptionalHeader + (pe32Plus ? 112 : 96) + 2 * 8;
}

std::string BuildPeImage(const PeImageSpec& spec) {
    const std::string section = ResourceSection(spec);
    const std::size_t rawSize = AlignedTo(section.size(), 0x200);
    std::string image(kResourceSection + rawSize, '\0');
    image.replace(0, 2, "MZ");
    PutU32(image, 0x3C, kPeHeader);
    image.replace(kPeHeader, 4, std::string("PE\0\0", 4));
    PutU16(image, kPeHeader + 4, spec.pe32Plus ? 0x8664 : 0x014C);
    PutU16(image, kPeHeader + 6, 1);  // one section
    PutU16(image, kPeHeader + 20, spec.pe32Plus ? 240 : 224);
    PutU16(image, kPeHeader + 22, 0x0002);  // an executable image
    PutU16(image, kOptionalHeader, spec.pe32Plus ? 0x20B : 0x10B);
    PutU32(image, kOptionalHeader + 32, 0x1000);  // section alignment
    PutU32(image, kOptionalHeader + 36, 0x200);   // file alignment
    PutU32(image, kOptionalHeader + 56, spec.sectionRva + AlignedTo(section.size(), 0x1000));
    PutU32(image, kOptionalHeader + 60, kResourceSection);       // size of the headers
    PutU16(image, kOptionalHeader + 68, 2);                      // a window program
    PutU32(image, ResourceDirectoryOf(spec.pe32Plus) - 20, 16);  // data directories
    PutU32(image, ResourceDirectoryOf(spec.pe32Plus), spec.sectionRva);
    PutU32(image, ResourceDirectoryOf(spec.pe32Plus) + 4,
           static_cast<std::uint32_t>(section.size()));
    const std::size_t table = SectionTableOf(spec.pe32Plus);
    image.replace(table, 5, ".rsrc");
    PutU32(image, table + 8, static_cast<std::uint32_t>(section.size()));
    PutU32(image, table + 12, spec.sectionRva);
    PutU32(image, table + 16, static_cast<std::uint32_t>(rawSize));
    PutU32(image, table + 20, kResourceSection);
    PutU32(image, table + 36, 0x40000040);  // initialised data, readable
    image.replace(kResourceSection, section.size(), section);
    return image;
}

std::string VersionInfo(std::string_view fixedFileInfo) {
    std::string block(6, '\0');
    for (const char c : std::string_view("VS_VERSION_INFO", 16)) {
        block += c;
        block += '\0';
    }
    block.resize(AlignedTo(block.size(), 4));
    block += fixedFileInfo;
    PutU16(block, 0, static_cast<std::uint16_t>(block.size()));
    PutU16(block, 2, static_cast<std::uint16_t>(fixedFileInfo.size()));
    return block;
}

void PutU16(std::string& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string& bytes, std::size_t offset, std::uint32_t value) {
    PutU16(bytes, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace galemend::test
