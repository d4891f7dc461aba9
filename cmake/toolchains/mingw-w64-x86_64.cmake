# Windows x64 through MinGW-w64 (POSIX threads); test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TAL_TARGET_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAL_TARGET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAL_TARGET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAL_TARGET_TRIPLE}-windres)
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TAL_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No runtime DLLs to ship beside the programs and the library: the C++ runtime and the threads
# library are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
# A prefix of our own, created once, keeps runs quiet and away from the user's Wine set-up.
get_filename_component(_tal_wineprefix "${CMAKE_CURRENT_LIST_DIR}/../../build/wine-prefix" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all WINEPREFIX=${_tal_wineprefix} wine)
