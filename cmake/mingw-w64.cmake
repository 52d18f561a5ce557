# Cross-builds the programs for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads
# variant of its compilers) into statically linked executables that need no DLL beside
# them. Tests run under Wine. KZO_WINDOWS_DEPS names the folder where scripts/build-windows
# put the Windows builds of GoogleTest and SQLite and the CLI11 headers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${triple}-gcc-posix ${triple}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${triple}-g++-posix ${triple}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${triple}-windres)

# try_compile projects see the same folders.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KZO_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${KZO_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(KZO_WINE NAMES wine wine64)
if(KZO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KZO_WINE})
endif()
