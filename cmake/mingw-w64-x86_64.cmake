# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads:
# std::thread and std::mutex need them, and Qt is built with the same ones).
#
# The dependencies live in one prefix built by scripts/build-windows.sh and
# named by VADREL_MINGW_PREFIX (a cache variable, or the environment's).
#
# The C++ runtime is linked as DLLs, the same way Qt links it: the programs
# and the dependencies' DLLs must share one libstdc++ for exceptions and
# allocations to cross between them. Ship beside vadrel.exe:
#   libstdc++-6.dll, libgcc_s_seh-1.dll   (/usr/lib/gcc/x86_64-w64-mingw32/*-posix/)
#   libwinpthread-1.dll                   (/usr/x86_64-w64-mingw32/lib/)
# plus the prefix's bin/*.dll and Qt's DLLs and plugins.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VADREL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VADREL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VADREL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VADREL_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${VADREL_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VADREL_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")

if(NOT VADREL_MINGW_PREFIX AND DEFINED ENV{VADREL_MINGW_PREFIX})
  set(VADREL_MINGW_PREFIX "$ENV{VADREL_MINGW_PREFIX}")
endif()
if(NOT VADREL_MINGW_PREFIX)
  message(FATAL_ERROR "VADREL_MINGW_PREFIX is not set: run scripts/build-windows.sh, which builds the dependencies and sets it")
endif()
set(VADREL_MINGW_PREFIX "${VADREL_MINGW_PREFIX}" CACHE PATH "Prefix of the Windows dependencies")
# try_compile projects re-read this file without the cache: pass it on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VADREL_MINGW_PREFIX)

# Libraries and headers only from the prefix and the mingw sysroot, never
# from the build machine; programs (moc, uic, rcc, pkg-config) from the host.
set(CMAKE_FIND_ROOT_PATH ${VADREL_MINGW_PREFIX} /usr/${VADREL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg_check_modules must see the prefix's .pc files only: the host's would
# hand Linux libraries to the Windows link.
set(ENV{PKG_CONFIG_LIBDIR} "${VADREL_MINGW_PREFIX}/lib/pkgconfig:${VADREL_MINGW_PREFIX}/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# The Qt built for Windows runs its tools from the host's Qt of the same version.
if(NOT QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Host Qt whose moc, uic and rcc run during the build")
endif()


# Programs built here and run during the build go through wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
