// What the portable Linux build adds to glibc 2.31 for the static libstdc++ and libgcc of
// GCC 12, which were built against a newer glibc (cmake/toolchain-linux-glibc-2.31.cmake).
#pragma once

struct link_map;

namespace galemend::glibc_compat {

// The record glibc 2.35's _dl_find_object fills, in its x86-64 layout (no data base there).
struct FoundObject {
    unsigned long long flags = 0;
    void* mapStart = nullptr;  // the first loaded page of the object
    void* mapEnd = nullptr;    // the end of its last loaded segment
    link_map* linkMap = nullptr;
    void* ehFrame = nullptr;  // its PT_GNU_EH_FRAME segment: the unwinder's table of frames
    unsigned long long reserved[7] = {};
};

// The loaded object (program, library or vDSO) whose mapping holds `address`, found with
// dl_iterate_phdr: 0 and `result` filled when there is one, else -1, as _dl_find_object
// answers. The link map is left null: the unwinder, the only caller, reads the table alone.
int FindObject(const void* address, FoundObject& result) noexcept;

}  // namespace galemend::glibc_compat
