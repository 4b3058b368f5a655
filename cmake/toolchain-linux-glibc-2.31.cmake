# The Linux program as players get it: the host's GCC 12 compiles against the headers of
# Debian 11's glibc 2.31 and links against its libc (the sysroot scripts/install-deps
# unpacks), with libstdc++ and libgcc linked in, so that it runs on every distribution with
# glibc 2.31 or later (SteamOS 3, Debian 11, Ubuntu 20.04 and newer). C++ headers are the
# host's libstdc++ 12. cmake/PortableGlibc.cmake adds what that runtime expects of a newer glibc.
get_filename_component(GALEMEND_GLIBC_SYSROOT ${CMAKE_CURRENT_LIST_DIR}/../build/sysroot-glibc-2.31
                       ABSOLUTE)
if(NOT EXISTS ${GALEMEND_GLIBC_SYSROOT}/.complete)
    message(FATAL_ERROR "No glibc 2.31 sysroot in ${GALEMEND_GLIBC_SYSROOT}: run scripts/install-deps")
endif()

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# Not CMAKE_SYSROOT: that would also root find_package() there, and the host's GoogleTest and
# Google Benchmark would vanish from the rest of the configuration.
set(CMAKE_C_FLAGS_INIT "--sysroot=${GALEMEND_GLIBC_SYSROOT}")
set(CMAKE_CXX_FLAGS_INIT "--sysroot=${GALEMEND_GLIBC_SYSROOT}")
# This GCC takes crt1.o and libc from beside itself (the host's glibc 2.36) before the sysroot's:
# -B and -L put the sysroot's first. glibc 2.31 keeps the threads in libpthread, which the
# static libstdc++ calls (std::call_once, std::thread), hence -pthread.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "--sysroot=${GALEMEND_GLIBC_SYSROOT} -B${GALEMEND_GLIBC_SYSROOT}/usr/lib/x86_64-linux-gnu/ \
-L${GALEMEND_GLIBC_SYSROOT}/lib/x86_64-linux-gnu -static-libstdc++ -static-libgcc -pthread")
