# Cross build of Windows programs with MinGW-w64 for the architecture that the
# including toolchain file names (QST_MINGW_TRIPLET, CMAKE_SYSTEM_PROCESSOR).
#
# Sources compile with the posix thread-model compilers: GoogleTest needs
# std::mutex, which GCC 12's win32 thread model lacks. The shipped programs
# link the win32 thread model's run-time instead (qst_shipped_program in
# cmake/Release.cmake), so they carry no winpthread, whose GetTickCount64
# Windows before Vista lacks.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QST_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QST_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QST_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QST_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
