# Toolchain for 64-bit Windows programs built on Debian with MinGW-w64 and run there under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WSPR_MINGW_TRIPLET x86_64-w64-mingw32)

# The posix thread model: Debian's default (win32) g++ 12 has no std::thread or std::mutex.
# C too, because GoogleTest's own project enables it.
find_program(CMAKE_CXX_COMPILER NAMES ${WSPR_MINGW_TRIPLET}-g++-posix ${WSPR_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${WSPR_MINGW_TRIPLET}-gcc-posix ${WSPR_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${WSPR_MINGW_TRIPLET}-windres)

# Headers and libraries come from the MinGW tree only, build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${WSPR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in, winpthread included, so a bare .exe runs without copying MinGW DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest and test discovery run the .exe files through Wine's loader, quietly, in a prefix
# of this build's own rather than in ~/.wine, as tools/wine.sh does (which makes the prefix and
# starts the Wine server when ctest starts). The host's PATH is searched too, for Wine
# installations that put the loader elsewhere.
find_program(WSPR_WINE_LOADER NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
set(WSPR_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix" CACHE PATH "WINEPREFIX the tests run in")
if(WSPR_WINE_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_COMMAND} -E env WINEPREFIX=${WSPR_WINE_PREFIX} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d ${WSPR_WINE_LOADER})
endif()
