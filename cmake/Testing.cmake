# Test helpers: native GoogleTest programs, Windows test programs run under Wine,
# and the checks that guard the release (imports, formatting, layers).

include(GoogleTest)

set(QST_TOOLS_DIR ${CMAKE_SOURCE_DIR}/tools)
# State of the Wine session of this build folder: the Xvfb display, the prefix
# template and the prefix shared by the tests (see tools/wine-session).
set(QST_WINE_STATE_DIR ${CMAKE_BINARY_DIR}/wine)

# Of the two Windows builds, x86-64 is the test build: it builds every test
# program and runs the Wine tests of both architectures. The x86 build is the
# release; of the tests it builds only the 32-bit programs of the 32-bit lane,
# and the test build builds it, in x86/ of its own folder, for that lane.
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QST_WINE_TESTS ON)
    set(QST_X86_BUILD_DIR ${CMAKE_BINARY_DIR}/x86)
    set(QST_X86_PROGRAM_DIR ${QST_X86_BUILD_DIR}/bin)
else()
    set(QST_WINE_TESTS OFF)
endif()

macro(qst_add_googletest)
    set(QST_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(${QST_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    enable_testing()

    if(QST_WINE_TESTS)
        # Every Windows test program runs through tools/wine-exec, which puts it
        # into the Wine session of this build folder.
        set(CMAKE_CROSSCOMPILING_EMULATOR ${QST_TOOLS_DIR}/wine-exec ${QST_WINE_STATE_DIR})

        add_test(NAME wine.session.start
                 COMMAND ${QST_TOOLS_DIR}/wine-session start ${QST_WINE_STATE_DIR})
        add_test(NAME wine.session.stop
                 COMMAND ${QST_TOOLS_DIR}/wine-session stop ${QST_WINE_STATE_DIR})
        set_tests_properties(wine.session.start PROPERTIES FIXTURES_SETUP WineSession)
        set_tests_properties(wine.session.stop PROPERTIES FIXTURES_CLEANUP WineSession)
    endif()
endmacro()

# qst_native_test(<name> SOURCES <files...> LIBS <targets...>)
# A GoogleTest program of platform-free code, built and run natively only (not
# in the fuzz build).
function(qst_native_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    if(WIN32 OR QST_FUZZ)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # 32-bit code may run under emulation here (qemu-user-static): one
        # process per program, not one per test.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES LABELS native)
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS native)
    endif()
endfunction()

# qst_wine_test(<name> SOURCES <files...> LIBS <targets...>
#               [DATA <files...> [DATA_DEPENDS <targets...>]] [DESKTOP])
# A GoogleTest program of the Windows layer, cross-built and run under Wine in
# the shared session (one ctest test per TEST()). DATA files are copied beside
# the program at every build, after the DATA_DEPENDS targets that make them.
# DESKTOP marks tests that show windows or use the keyboard focus and the mouse
# cursor: they run one at a time.
function(qst_wine_test name)
    cmake_parse_arguments(ARG "DESKTOP" "" "SOURCES;LIBS;DATA;DATA_DEPENDS" ${ARGN})
    if(NOT QST_WINE_TESTS)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    if(ARG_DATA)
        add_custom_target(${name}_data
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ARG_DATA} $<TARGET_FILE_DIR:${name}>
            COMMENT "Copying the data files of ${name}")
        if(ARG_DATA_DEPENDS)
            add_dependencies(${name}_data ${ARG_DATA_DEPENDS})
        endif()
        add_dependencies(${name} ${name}_data)
    endif()
    gtest_add_tests(TARGET ${name} SOURCES ${ARG_SOURCES} TEST_LIST tests
                    WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>)
    set_tests_properties(${tests} PROPERTIES FIXTURES_REQUIRED WineSession LABELS wine
                                             TIMEOUT 120)
    if(ARG_DESKTOP)
        # The shared session has one display: a window that appears takes the
        # activation and the keyboard focus from another test's window, and
        # the mouse cursor is the same for all.
        set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK WineDesktop)
    endif()
endfunction()

# qst_wine_private_test(<name> [SCREEN <WxH>] [WINVER <name>] [LOCALE <glibc locale>]
#                       [DPI <dpi>] [WORKING_DIRECTORY <dir>] COMMAND <program> <args...>)
# A test that needs a Wine session of its own (another screen size, Windows
# version, user locale or screen DPI). It runs <program> with wine in a
# private prefix and Xvfb, both gone when the test ends, in <dir> (the current
# binary folder unless given).
function(qst_wine_private_test name)
    cmake_parse_arguments(ARG "" "SCREEN;WINVER;LOCALE;DPI;WORKING_DIRECTORY" "COMMAND" ${ARGN})
    if(NOT QST_WINE_TESTS)
        return()
    endif()
    set(options)
    if(ARG_SCREEN)
        list(APPEND options --screen ${ARG_SCREEN})
    endif()
    if(ARG_WINVER)
        list(APPEND options --winver ${ARG_WINVER})
    endif()
    if(ARG_LOCALE)
        list(APPEND options --locale ${ARG_LOCALE})
    endif()
    if(ARG_DPI)
        list(APPEND options --dpi ${ARG_DPI})
    endif()
    if(NOT ARG_WORKING_DIRECTORY)
        set(ARG_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    add_test(NAME ${name}
             COMMAND ${QST_TOOLS_DIR}/wine-session run ${QST_WINE_STATE_DIR} ${options} --
                     ${ARG_COMMAND}
             WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
    # The private prefix is copied from the template that the shared session creates.
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED WineSession LABELS wine
                                            TIMEOUT 300)
endfunction()

# qst_x86_lane_test(<name> [WINVER <name>] [WORKING_DIRECTORY <dir>] COMMAND <program> <args...>)
# A test of the 32-bit lane: like qst_wine_private_test, with programs of the
# x86 build (QST_X86_BUILD_DIR). Every 32-bit process starts in about a minute
# under emulation, so the lane is a few end-to-end runs with time to match,
# started first so that they run beside the quicker 64-bit tests.
function(qst_x86_lane_test name)
    qst_wine_private_test(${name} ${ARGN})
    if(QST_WINE_TESTS)
        set_tests_properties(${name} PROPERTIES LABELS "wine;x86" TIMEOUT 1800 COST 1000)
    endif()
endfunction()

# The x86 build of the 32-bit lane, in QST_X86_BUILD_DIR: the release of the
# windows-x86 preset and the lane's 32-bit test programs, built with this one.
function(qst_add_x86_build)
    include(ExternalProject)
    ExternalProject_Add(x86_build
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${QST_X86_BUILD_DIR}
        PREFIX ${CMAKE_BINARY_DIR}/x86-project
        CONFIGURE_COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_SOURCE_DIR}
                          ${CMAKE_COMMAND} --preset windows-x86 -B ${QST_X86_BUILD_DIR}
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
endfunction()

# The check that every .exe and .dll we build, of both architectures, imports
# Windows system DLLs only (not CMake's probes of the compilers).
function(qst_add_import_check)
    add_test(NAME release.imports_are_system_dlls
             COMMAND ${QST_TOOLS_DIR}/check-imports ${CMAKE_BINARY_DIR} ${QST_WINE_STATE_DIR}
                     ${CMAKE_BINARY_DIR}/CMakeFiles ${QST_X86_BUILD_DIR}/CMakeFiles)
    set_tests_properties(release.imports_are_system_dlls PROPERTIES LABELS release)
endfunction()

function(qst_add_format_check)
    find_program(CLANG_FORMAT clang-format)
    if(NOT CLANG_FORMAT)
        message(WARNING "clang-format not found; the format check is not added")
        return()
    endif()
    add_test(NAME format.clang_format
             COMMAND ${QST_TOOLS_DIR}/check-format ${CLANG_FORMAT}
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(format.clang_format PROPERTIES LABELS native)
endfunction()

# The check that no source includes a file of a higher layer (tools/check-layers).
function(qst_add_layer_check)
    add_test(NAME layers.includes COMMAND ${QST_TOOLS_DIR}/check-layers
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(layers.includes PROPERTIES LABELS native)
endfunction()
