# Shared part of the MinGW-w64 toolchains; TARVEK_MINGW_PREFIX names the target triple.
set(CMAKE_C_COMPILER ${TARVEK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVEK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVEK_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARVEK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Fully static: no MinGW runtime DLLs have to travel beside the .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
