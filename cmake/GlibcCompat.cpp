// What GCC 12's static libstdc++ and libgcc expect of glibc that glibc 2.31 lacks, for the
// Linux package's galemend (cmake/PortableGlibc.cmake). Each definition is hidden: it serves
// only this program's own copy of the C++ runtime, and a newer glibc keeps its own.
#include "GlibcCompat.h"

#include <link.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <span>

namespace galemend::glibc_compat {
namespace {

using ProgramHeader = ElfW(Phdr);

struct Search {
    std::uintptr_t address;
    std::uintptr_t pageSize;
    FoundObject& result;
};

void* Pointer(std::uintptr_t address) {
    return reinterpret_cast<void*>(address);
}

// The object's mapping as the dynamic loader records it: from the page of its lowest loaded
// segment to the end of its highest one, gaps included.
int VisitObject(dl_phdr_info* info, std::size_t, void* data) {
    Search& search = *static_cast<Search*>(data);
    std::uintptr_t start = std::numeric_limits<std::uintptr_t>::max();
    std::uintptr_t end = 0;
    std::uintptr_t ehFrame = 0;
    for (const ProgramHeader& segment : std::span(info->dlpi_phdr, info->dlpi_phnum)) {
        if (segment.p_type == PT_LOAD) {
            start = std::min(start, info->dlpi_addr + (segment.p_vaddr & ~(search.pageSize - 1)));
            end = std::max(end, info->dlpi_addr + segment.p_vaddr + segment.p_memsz);
        } else if (segment.p_type == PT_GNU_EH_FRAME) {
            ehFrame = info->dlpi_addr + segment.p_vaddr;
        }
    }
    if (search.address < start || search.address >= end) {
        return 0;
    }
    search.result = FoundObject{};
    search.result.mapStart = Pointer(start);
    search.result.mapEnd = Pointer(end);
    search.result.ehFrame = ehFrame != 0 ? Pointer(ehFrame) : nullptr;
    return 1;
}

}  // namespace

int FindObject(const void* address, FoundObject& result) noexcept {
    Search search{reinterpret_cast<std::uintptr_t>(address), getauxval(AT_PAGESZ), result};
    return dl_iterate_phdr(VisitObject, &search) == 1 ? 0 : -1;
}

}  // namespace galemend::glibc_compat

#ifdef GALEMEND_GLIBC_COMPAT
// GCC 12's libgcc_eh finds the unwind table of each frame with _dl_find_object (glibc 2.35)
// and, when that fails, finds none: every throw would end the program. The lookup above is the
// one libgcc made with dl_iterate_phdr before glibc had _dl_find_object.
extern "C" [[gnu::visibility("hidden")]] int _dl_find_object(
    void* address, galemend::glibc_compat::FoundObject* result) {
    return galemend::glibc_compat::FindObject(address, *result);
}

// libstdc++ built for glibc 2.32 or later skips the atomic operations of its reference counts
// while this flag says the process has one thread; glibc 2.31 has no such flag. False keeps
// every count atomic, which is right with any number of threads (libstdc++'s inline code
// compiled here against glibc 2.31's headers makes the same choice through libpthread).
extern "C" {
[[gnu::visibility("hidden")]] char __libc_single_threaded = 0;

// std::random_device can draw from arc4random (glibc 2.36); libstdc++ links it in whether or
// not the program uses one. The same kernel source through getentropy (glibc 2.25); like
// glibc's, it cannot report a failure, so a system without that source ends the program.
[[gnu::visibility("hidden")]] std::uint32_t arc4random() {
    std::uint32_t word = 0;
    if (getentropy(&word, sizeof word) != 0) {
        std::abort();
    }
    return word;
}
}
#endif
