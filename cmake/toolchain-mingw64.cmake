# Cross-build for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread needs). The programs are linked statically against the compiler's runtime,
# so an .exe runs on a PC that has none of MinGW's DLLs. Tests run under Wine through
# CTest's emulator, in a Wine prefix of their own inside the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QOLMEX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QOLMEX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QOLMEX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QOLMEX_MINGW_PREFIX}-windres)

# Qt for Windows (scripts/build-qt-windows.sh) is searched like MinGW's own libraries; its
# build tools come from the build machine's Qt (QT_HOST_PATH).
set(QOLMEX_QT_WINDOWS "" CACHE PATH "Qt built for Windows, for the window programs")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QOLMEX_QT_WINDOWS)
set(CMAKE_FIND_ROOT_PATH /usr/${QOLMEX_MINGW_PREFIX} ${QOLMEX_QT_WINDOWS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# winpthread is linked whole and static as well, or the .exe would ask for its DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++")

find_program(QOLMEX_WINE NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all
    ${QOLMEX_WINE})
