# Cross-builds the Windows program (64-bit) with mingw-w64's GCC in its POSIX-threads
# flavour, whose libstdc++ has std::thread, std::mutex and std::condition_variable.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
# scripts/windows does this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

# Headers and libraries come from the cross toolchain only; programs (Python for the string
# tables, msgfmt) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in, the C and C++ runtimes and winpthreads too: plintor.exe runs on a
# bare Windows without any DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# GCC 12 inlines libstdc++'s string copies at -O3 and then warns, falsely, that they may
# overlap (-Wrestrict, GCC bug 105651); the warning is off for this compiler's builds only.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# Programs built here run under Wine: CTest's test runs and GoogleTest's test listing.
find_program(PLINTOR_WINE NAMES wine wine-stable)
if(PLINTOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PLINTOR_WINE})
endif()
