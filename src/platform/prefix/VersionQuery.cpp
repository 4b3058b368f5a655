// The root block as the Windows build reads it: GetFileVersionInfoSizeW asks for twice the
// resource and 4 bytes more, the probe adds one zero byte, GetFileVersionInfoW copies the
// resource to the start and writes "FE2X" after the block's own length (wLength) when that
// still fits, and VerQueryValueW(buffer, "\\") returns the value after the block's key.
#include <algorithm>

#include "platform/prefix/PeVersion.h"

namespace galemend {
namespace {

class VersionBuffer {
  public:
    explicit VersionBuffer(std::string_view resource)
        : resource_(resource), size_(2 * std::uint64_t{resource.size()} + 5) {
        const std::uint32_t blockLength = ResourceByte(0) | (ResourceByte(1) << 8);
        if (blockLength + 4 <= size_ - 1) {
            signatureAt_ = blockLength;
        }
    }

    std::uint64_t Size() const { return size_; }

    unsigned char At(std::uint64_t offset) const {
        if (offset >= signatureAt_ && offset - signatureAt_ < 4) {
            return static_cast<unsigned char>("FE2X"[offset - signatureAt_]);
        }
        return ResourceByte(offset);
    }
    std::uint16_t Word(std::uint64_t offset) const {
        return static_cast<std::uint16_t>(At(offset) | (At(offset + 1) << 8));
    }

  private:
    unsigned char ResourceByte(std::uint64_t offset) const {
        return offset < resource_.size() ? static_cast<unsigned char>(resource_[offset]) : 0;
    }

    std::string_view resource_;
    std::uint64_t size_;
    std::uint64_t signatureAt_ = UINT64_MAX;  // none
};

std::uint64_t AlignedTo4(std::uint64_t offset) {
    return (offset + 3) & ~std::uint64_t{3};
}

// Where the root block's value starts. A block whose key starts with a printable ASCII byte
// has the 16-bit layout (length, value length, ANSI key); any other, the 32-bit one (length,
// value length, type, UTF-16 key). The key ends at its terminating zero.
std::uint64_t ValueOffset(const VersionBuffer& buffer) {
    const auto first = static_cast<signed char>(buffer.At(4));
    std::uint64_t end = 0;
    if (first >= ' ') {
        end = 4;
        while (end < buffer.Size() && buffer.At(end) != 0) {
            ++end;
        }
        return AlignedTo4(end + 1);
    }
    end = 6;
    while (end + 1 < buffer.Size() && buffer.Word(end) != 0) {
        end += 2;
    }
    return AlignedTo4(end + 2);
}

}  // namespace

std::string RootBlockOf(std::string_view resource) {
    const VersionBuffer buffer(resource);
    const std::uint64_t start = ValueOffset(buffer);
    const std::uint64_t end = std::min(start + buffer.Word(2), buffer.Size());
    std::string block;
    for (std::uint64_t offset = start; offset < end; ++offset) {
        block.push_back(static_cast<char>(buffer.At(offset)));
    }
    return block;
}

}  // namespace galemend
