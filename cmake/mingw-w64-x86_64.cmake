# Cross-building the Windows program on Debian with mingw-w64 (the posix
# threads flavour, which std::thread needs). Libraries and headers come only
# from the mingw root and from the prefix the Windows dependencies were built
# into (OX_WINDOWS_PREFIX), never from the Linux system.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(OX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${OX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${OX_MINGW_TRIPLET}-windres)

if(NOT OX_WINDOWS_PREFIX AND DEFINED ENV{OX_WINDOWS_PREFIX})
    set(OX_WINDOWS_PREFIX $ENV{OX_WINDOWS_PREFIX})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES OX_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${OX_MINGW_TRIPLET} ${OX_WINDOWS_PREFIX})
set(CMAKE_PREFIX_PATH ${OX_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
