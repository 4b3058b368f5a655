// The object lookup the Linux package's galemend gives GCC 12's unwinder on glibc 2.31, here
// compared with glibc's own _dl_find_object: both must name the same mapping and the same
// table of frames for every kind of address, and both must find nothing outside the objects.
#include "GlibcCompat.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/auxv.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace galemend::test {
namespace {

using glibc_compat::FindObject;
using glibc_compat::FoundObject;

int dataOfThisProgram = 1;

struct Case {
    std::string what;
    const void* address;
};

std::vector<Case> AddressesInObjects() {
    const auto vdso = getauxval(AT_SYSINFO_EHDR);
    std::vector<Case> cases{
        {"code of this program", reinterpret_cast<const void*>(&AddressesInObjects)},
        {"data of this program", &dataOfThisProgram},
        {"code of libc", reinterpret_cast<const void*>(&std::fputs)},
    };
    if (vdso != 0) {
        cases.push_back({"the vDSO", reinterpret_cast<const void*>(vdso + 16)});
    }
    return cases;
}

TEST(GlibcCompat, FindsTheObjectGlibcFinds) {
    for (const Case& c : AddressesInObjects()) {
        SCOPED_TRACE(c.what);
        dl_find_object expected{};
        ASSERT_EQ(_dl_find_object(const_cast<void*>(c.address), &expected), 0);
        FoundObject found;
        ASSERT_EQ(FindObject(c.address, found), 0);
        EXPECT_EQ(found.mapStart, expected.dlfo_map_start);
        EXPECT_EQ(found.mapEnd, expected.dlfo_map_end);
        EXPECT_EQ(found.ehFrame, expected.dlfo_eh_frame);
        EXPECT_NE(found.ehFrame, nullptr);
    }
}

TEST(GlibcCompat, FindsNothingOutsideTheObjects) {
    int onTheStack = 0;
    for (const void* address :
         {static_cast<const void*>(nullptr), static_cast<const void*>(&onTheStack)}) {
        dl_find_object expected{};
        EXPECT_EQ(_dl_find_object(const_cast<void*>(address), &expected), -1);
        FoundObject found;
        EXPECT_EQ(FindObject(address, found), -1);
    }
}

}  // namespace
}  // namespace galemend::test
