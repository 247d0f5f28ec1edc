# Windows x86 (PE32): the release, which runs on 32-bit and 64-bit Windows.
set(QST_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
