#include "platform/prefix/PeVersion.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace galemend {
namespace {

constexpr std::uint16_t kVersionType = 16;  // RT_VERSION
constexpr std::uint16_t kVersionId = 1;     // VS_VERSION_INFO
constexpr std::uint32_t kSubdirectory = 0x80000000u;

std::string Hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return "0x" + text;
}

// Little-endian reads from the file's bytes; a read past its end fails naming the file and
// what was being read.
class Reader {
  public:
    Reader(std::string_view bytes, std::string_view path) : bytes_(bytes), path_(path) {}

    std::uint64_t Size() const { return bytes_.size(); }
    bool Holds(std::uint64_t offset, std::uint64_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    std::uint16_t U16(std::uint64_t offset, const char* what) const {
        return static_cast<std::uint16_t>(Little(offset, 2, what));
    }
    std::uint32_t U32(std::uint64_t offset, const char* what) const {
        return static_cast<std::uint32_t>(Little(offset, 4, what));
    }
    std::string_view Bytes(std::uint64_t offset, std::uint64_t size, const char* what) const {
        if (!Holds(offset, size)) {
            Fail(std::string(what) + " lies outside the file");
        }
        return bytes_.substr(offset, size);
    }
    [[noreturn]] void Fail(std::string reason) const {
        throw PeFormatError(std::string(path_), std::move(reason));
    }

  private:
    std::uint32_t Little(std::uint64_t offset, int width, const char* what) const {
        const std::string_view field = Bytes(offset, width, what);
        std::uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i) {
            value = (value << 8) | static_cast<unsigned char>(field[i]);
        }
        return value;
    }

    std::string_view bytes_;
    std::string_view path_;
};

// A regular file mapped for reading, as Wine maps it: a large executable is not read whole.
class MappedFile {
  public:
    explicit MappedFile(const std::string& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return;
        }
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
            opened_ = true;
            size_ = static_cast<std::size_t>(status.st_size);
            if (size_ > 0) {
                data_ = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
                opened_ = data_ != MAP_FAILED;
            }
        }
        ::close(fd);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile() {
        if (data_ != nullptr && data_ != MAP_FAILED) {
            ::munmap(data_, size_);
        }
    }

    bool Opened() const { return opened_; }
    std::string_view Bytes() const {
        return size_ > 0 ? std::string_view(static_cast<const char*>(data_), size_)
                         : std::string_view();
    }

  private:
    bool opened_ = false;
    void* data_ = nullptr;
    std::size_t size_ = 0;
};

// The parts of the PE headers the loader's resource lookup reads.
struct Headers {
    std::uint64_t sections = 0;  // file offset of the section table
    std::uint16_t sectionCount = 0;
    std::uint32_t sizeOfHeaders = 0;
    std::uint32_t resourceRva = 0;
};

// Nothing for a file that is no PE image, or that declares no resource directory.
std::optional<Headers> ReadHeaders(const Reader& file) {
    if (!file.Holds(0, 64) || file.U16(0, "the DOS header") != 0x5A4D) {
        return std::nullopt;
    }
    const auto peOffset = static_cast<std::int32_t>(file.U32(0x3C, "the DOS header"));
    if (peOffset < 0 || !file.Holds(peOffset, 4) || file.U32(peOffset, "") != 0x00004550) {
        return std::nullopt;  // a DOS or 16-bit program
    }
    const std::uint64_t optional = peOffset + 24;
    Headers headers;
    headers.sectionCount = file.U16(peOffset + 6, "the PE file header");
    headers.sections = optional + file.U16(peOffset + 20, "the PE file header");
    const std::uint16_t magic = file.U16(optional, "the PE optional header");
    std::uint64_t directories = 0;
    if (magic == 0x10B) {
        directories = optional + 92;
    } else if (magic == 0x20B) {
        directories = optional + 108;
    } else {
        file.Fail("its optional header has the unknown magic number " + Hex(magic));
    }
    headers.sizeOfHeaders = file.U32(optional + 60, "the PE optional header");
    const std::uint32_t directoryCount = file.U32(directories, "the PE optional header");
    if (directoryCount <= 2) {
        return std::nullopt;
    }
    headers.resourceRva = file.U32(directories + 4 + 2 * 8, "the data directory");
    if (headers.resourceRva == 0) {
        return std::nullopt;
    }
    if (!file.Holds(headers.sections, 40ull * headers.sectionCount)) {
        file.Fail("the section table lies outside the file");
    }
    return headers;
}

std::uint64_t PageRounded(std::uint64_t size) {
    return (size + 0xFFF) & ~0xFFFull;
}

// The file offset of an address, by the first section whose raw data holds it; the sums
// are 32-bit, as the loader's are.
std::optional<std::uint64_t> FileOffsetOf(const Reader& file, const Headers& headers,
                                          std::uint32_t rva) {
    for (std::uint16_t i = 0; i < headers.sectionCount; ++i) {
        const std::uint64_t section = headers.sections + 40ull * i;
        const std::uint32_t start = file.U32(section + 12, "the section table");
        const std::uint32_t rawSize = file.U32(section + 16, "the section table");
        if (start <= rva && static_cast<std::uint32_t>(start + rawSize) > rva) {
            const std::uint32_t pointer = file.U32(section + 20, "the section table");
            // The loader maps raw data in whole 512-byte sectors, no more than the section
            // takes in memory, and refuses an image whose sections run past the file's last
            // page; the plain reading Wine falls back to then finds nothing either.
            const std::uint32_t virtualSize = file.U32(section + 8, "the section table");
            const std::uint64_t mapped = PageRounded(virtualSize != 0 ? virtualSize : rawSize);
            const std::uint64_t sectors = (rawSize + (pointer & 0x1FFull) + 0x1FF) & ~0x1FFull;
            if ((pointer & ~0x1FFull) + std::min(sectors, mapped) > PageRounded(file.Size())) {
                file.Fail("the section holding RVA " + Hex(rva) + " runs past the end of the file");
            }
            return std::uint64_t{pointer} + (rva - start);
        }
    }
    return std::nullopt;
}

// The entry with this id among a directory's id entries, by the loader's binary search
// (entries out of order can hide it), when its kind (subdirectory or data) is the one wanted.
std::optional<std::uint64_t> EntryById(const Reader& file, std::uint64_t root,
                                       std::uint64_t directory, std::uint16_t id,
                                       bool wantDirectory) {
    const int named = file.U16(directory + 12, "a resource directory");
    int low = named;
    int high = named + file.U16(directory + 14, "a resource directory") - 1;
    while (low <= high) {
        const int pos = (low + high) / 2;
        const std::uint64_t entry = directory + 16 + 8ull * pos;
        const std::uint16_t entryId = file.U16(entry, "a resource directory entry");
        if (entryId == id) {
            const std::uint32_t target = file.U32(entry + 4, "a resource directory entry");
            if (((target & kSubdirectory) != 0) != wantDirectory) {
                return std::nullopt;
            }
            return root + (target & ~kSubdirectory);
        }
        if (entryId > id) {
            high = pos - 1;
        } else {
            low = pos + 1;
        }
    }
    return std::nullopt;
}

// The first entry of a directory, named or not, that leads to data.
std::optional<std::uint64_t> FirstDataEntry(const Reader& file, std::uint64_t root,
                                            std::uint64_t directory) {
    const int count = file.U16(directory + 12, "a resource directory") +
                      file.U16(directory + 14, "a resource directory");
    for (int pos = 0; pos < count; ++pos) {
        const std::uint32_t target =
            file.U32(directory + 16 + 8ull * pos + 4, "a resource directory entry");
        if ((target & kSubdirectory) == 0) {
            return root + target;
        }
    }
    return std::nullopt;
}

std::optional<std::uint64_t> LanguageEntry(const Reader& file, std::uint64_t root,
                                           std::uint64_t names, const ResourceLanguages& langs) {
    const auto primary = [](std::uint16_t lang) {
        return static_cast<std::uint16_t>(lang & 0x3FF);
    };
    const std::uint16_t order[] = {
        0, langs.user, primary(langs.user), langs.system, primary(langs.system), 0x0409};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        if (std::find(order, order + i, order[i]) != order + i) {
            continue;  // tried already
        }
        if (const auto entry = EntryById(file, root, names, order[i], false)) {
            return entry;
        }
    }
    return FirstDataEntry(file, root, names);
}

}  // namespace

PeFormatError::PeFormatError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::optional<std::string_view> FindVersionResource(std::string_view image, std::string_view path,
                                                    const ResourceLanguages& languages) {
    const Reader file(image, path);
    const std::optional<Headers> headers = ReadHeaders(file);
    if (!headers) {
        return std::nullopt;
    }
    // A directory inside the headers is read where it lies in the file, as the loader does.
    std::optional<std::uint64_t> root = headers->resourceRva;
    if (headers->resourceRva >= headers->sizeOfHeaders) {
        root = FileOffsetOf(file, *headers, headers->resourceRva);
        if (!root) {
            file.Fail("its resource directory at RVA " + Hex(headers->resourceRva) +
                      " lies in no section");
        }
    }
    const auto types = EntryById(file, *root, *root, kVersionType, true);
    const auto names = types ? EntryById(file, *root, *types, kVersionId, true) : std::nullopt;
    const auto leaf = names ? LanguageEntry(file, *root, *names, languages) : std::nullopt;
    if (!leaf) {
        return std::nullopt;
    }
    const std::uint32_t dataRva = file.U32(*leaf, "the version resource's data entry");
    const std::uint32_t size = file.U32(*leaf + 4, "the version resource's data entry");
    if (size == 0) {
        return std::string_view();
    }
    const std::optional<std::uint64_t> data = FileOffsetOf(file, *headers, dataRva);
    if (!data) {
        file.Fail("its version resource at RVA " + Hex(dataRva) + " lies in no section");
    }
    return file.Bytes(*data, size, "its version resource");
}

std::optional<std::string> VersionRootBlockOfImage(std::string_view image, std::string_view path,
                                                   const ResourceLanguages& languages) {
    const std::optional<std::string_view> resource = FindVersionResource(image, path, languages);
    if (!resource) {
        return std::nullopt;
    }
    return RootBlockOf(*resource);
}

std::optional<std::string> VersionRootBlockOfFile(const std::string& hostPath,
                                                  const ResourceLanguages& languages) {
    const MappedFile file(hostPath);
    if (!file.Opened()) {
        return std::nullopt;
    }
    return VersionRootBlockOfImage(file.Bytes(), hostPath, languages);
}

}  // namespace galemend
