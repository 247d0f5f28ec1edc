# The release: the files that ship, how the shipped programs are linked, and the
# check of their imports. Both Windows builds make the same shipped files; the
# x86 build's are the release (tools/make-bundle.sh).

# The folder the two programs and their data files are built into: it is laid
# out like the folder a user unzips, so both programs run from it.
set(QST_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin)
# The program's languages: each has a language library Lang_<code>.Dll
# (systest/resources/lang) and an agreement text Lic_<code>.Txt
# (systest/resources/license). Chinese has one per script, named with the
# script after the language code (docs/ARCHITECTURE.md).
set(QST_LANGUAGES En De Fr It Es Pt Nl Pl Cs Hu Ru Tr Ja Ko Zh-Hans Zh-Hant)
list(TRANSFORM QST_LANGUAGES PREPEND Lang_ OUTPUT_VARIABLE QST_LANGUAGE_LIBRARIES)
list(TRANSFORM QST_LANGUAGE_LIBRARIES APPEND .Dll)
list(TRANSFORM QST_LANGUAGES PREPEND Lic_ OUTPUT_VARIABLE QST_AGREEMENT_TEXTS)
list(TRANSFORM QST_AGREEMENT_TEXTS APPEND .Txt)
# The files of that folder that ship, in the order of the release ZIP. The
# Windows build writes the list into shipped_files.txt for tools/make-bundle.sh.
set(QST_SHIPPED_FILES QuarvelSysTest.exe Vexmira.exe ${QST_LANGUAGE_LIBRARIES}
                      ${QST_AGREEMENT_TEXTS} GraphicsCardGBList.txt Lines.vert Lines.frag
                      HiddenEdges.vert HiddenEdges.frag ThirdPartyNotices.txt)
# The language libraries and agreement texts in the program folder, the targets
# that make them, and their names for the tests that go through every language
# (qst_language_list).
list(TRANSFORM QST_LANGUAGE_LIBRARIES PREPEND ${QST_PROGRAM_DIR}/ OUTPUT_VARIABLE QST_LANGUAGE_FILES)
list(TRANSFORM QST_AGREEMENT_TEXTS PREPEND ${QST_PROGRAM_DIR}/ OUTPUT_VARIABLE agreement_files)
list(APPEND QST_LANGUAGE_FILES ${agreement_files})
list(TRANSFORM QST_LANGUAGES PREPEND Lang_ OUTPUT_VARIABLE QST_LANGUAGE_FILES_TARGETS)
list(APPEND QST_LANGUAGE_FILES_TARGETS agreement_texts)
function(qst_language_list target)
    list(JOIN QST_LANGUAGE_LIBRARIES "," names)
    target_compile_definitions(${target} PRIVATE QST_LANGUAGE_LIBRARIES="${names}")
endfunction()
# The functions a shipped program or library may import, each with the oldest
# Windows that exports it.
set(QST_ALLOWED_IMPORTS ${CMAKE_SOURCE_DIR}/tools/allowed-imports.txt)

# The target `release` builds every shipped file and nothing else.
function(qst_add_release_target)
    add_custom_target(release)
    list(JOIN QST_SHIPPED_FILES "\n" shipped)
    file(WRITE ${CMAKE_BINARY_DIR}/shipped_files.txt "${shipped}\n")

    # The licences of the toolchain's run-time that the programs carry, from the
    # copyright files of the packages that installed it.
    set(notices ${QST_PROGRAM_DIR}/ThirdPartyNotices.txt)
    add_custom_command(OUTPUT ${notices}
        COMMAND ${QST_TOOLS_DIR}/third-party-notices ${QST_MINGW_TRIPLET}-gcc-win32 ${notices}
        DEPENDS ${QST_TOOLS_DIR}/third-party-notices
        COMMENT "Writing the third-party notices of the run-time")
    add_custom_target(third_party_notices ALL DEPENDS ${notices})
    add_dependencies(release third_party_notices)
endfunction()

# qst_reproducible_program(<target>)
# A program or library built as the same bytes from every build of the same
# sources (no link time stamp, no symbols, which would name the build's paths),
# and checked after each link against the allowed imports, so a call that
# some supported Windows lacks, or a DLL that Windows may take from the
# program's folder, fails the build; and against the hardening it must carry.
# Programs link the win32 thread model's run-time: the posix one pulls in
# winpthread, which imports GetTickCount64 (Windows Vista and later).
function(qst_reproducible_program target)
    set_target_properties(${target} PROPERTIES LINK_DEPENDS ${QST_ALLOWED_IMPORTS})
    target_link_options(${target} PRIVATE -s -Wl,--no-insert-timestamp ${QST_HARDENING_LINK_OPTIONS})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        # Searched before the compiler's own folder, so its libstdc++, libgcc
        # and libgcc_eh are the ones linked; -no-pthread drops winpthread, so a
        # reference to it fails the link instead of importing it.
        target_link_options(${target} PRIVATE -L${QST_WIN32_THREADS_RUNTIME_DIR} -no-pthread)
        # The stack protector's guard and failure of our own, so libssp, which
        # sets its guard through a cryptographic provider before main, is not
        # linked (common/win/stack_protector.cpp).
        target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/common/win/stack_protector.cpp)
    endif()
    # A failing command deletes the file it follows, so the next build checks again.
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${QST_TOOLS_DIR}/check-imports --allowed ${QST_ALLOWED_IMPORTS}
                $<TARGET_FILE:${target}>
        COMMAND ${QST_TOOLS_DIR}/check-hardening $<TARGET_FILE:${target}>
        VERBATIM)
endfunction()

# qst_shipped_program(<target>)
# A reproducible program or library that ships: built into the program folder.
function(qst_shipped_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QST_PROGRAM_DIR})
    qst_reproducible_program(${target})
    add_dependencies(release ${target})
endfunction()

# qst_shipped_data(<target>): a target that puts data files into the program folder.
function(qst_shipped_data target)
    add_dependencies(release ${target})
endfunction()

# The win32 thread model's run-time folder of this architecture's compilers.
if(WIN32)
    execute_process(COMMAND ${QST_MINGW_TRIPLET}-gcc-win32 -print-libgcc-file-name
                    OUTPUT_VARIABLE win32_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE win32_result)
    if(NOT win32_result EQUAL 0)
        message(FATAL_ERROR "${QST_MINGW_TRIPLET}-gcc-win32 is missing: run tools/setup-debian.sh")
    endif()
    get_filename_component(QST_WIN32_THREADS_RUNTIME_DIR "${win32_libgcc}" DIRECTORY)

    # Windows refuses a program whose manifest names another processor
    # architecture than its own: the manifests take the build's.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(QST_MANIFEST_ARCHITECTURE amd64)
    else()
        set(QST_MANIFEST_ARCHITECTURE x86)
    endif()

    # What the linker gives the shipped files against exploits, spelled out
    # though binutils 2.36 and later give it anyway, and checked after each
    # link (tools/check-hardening): a base address chosen at each start (ASLR,
    # with the relocations it needs), data that never runs as code (DEP), and
    # for 64-bit programs addresses from the whole 64-bit range. Windows XP
    # ignores the flags.
    set(QST_HARDENING_LINK_OPTIONS -Wl,--dynamicbase -Wl,--nxcompat)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        list(APPEND QST_HARDENING_LINK_OPTIONS -Wl,--high-entropy-va)
    endif()
endif()
