# Cross-compiling for Windows with Debian's MinGW-w64 (posix thread model,
# which googletest needs). CORVANE_WINDOWS_ARCH picks i686 (the shipped
# 32-bit program) or x86_64.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT CORVANE_WINDOWS_ARCH)
  set(CORVANE_WINDOWS_ARCH i686)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${CORVANE_WINDOWS_ARCH})
set(_triple ${CORVANE_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CORVANE_MC_COMPILER ${_triple}-windmc)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Carried into try_compile projects as well.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CORVANE_WINDOWS_ARCH)
