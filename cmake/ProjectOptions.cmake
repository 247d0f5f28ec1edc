# Compiler and linker settings shared by every target of ours.

macro(qst_apply_project_options)
    add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                        -Wcast-qual -Wformat=2 -Werror)

    if(QST_SANITIZE)
        if(WIN32)
            message(FATAL_ERROR "QST_SANITIZE is for the native build")
        endif()
        add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                            -fno-omit-frame-pointer)
        add_link_options(-fsanitize=address,undefined)
        # The standard library's bounds checks: a read past the end of a
        # string view often stays inside its string's buffer, where the
        # address sanitizer sees nothing.
        add_compile_definitions(_GLIBCXX_ASSERTIONS)
    endif()

    if(QST_FUZZ)
        # Every library is instrumented for the fuzzer; only the fuzz targets
        # link its main (fuzz/CMakeLists.txt).
        if(WIN32 OR QST_SANITIZE)
            message(FATAL_ERROR "QST_FUZZ is for a native build of its own")
        endif()
        add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                            -fno-sanitize-recover=all -fno-omit-frame-pointer)
        add_link_options(-fsanitize=address,undefined)
    endif()

    if(WIN32)
        # Wide-character Win32 API only; STRICT handle types; the programs ship
        # without any MinGW runtime DLL beside them.
        add_compile_definitions(UNICODE _UNICODE STRICT WIN32_LEAN_AND_MEAN NOMINMAX
                                _WIN32_WINNT=0x0601 WINVER=0x0601)
        add_link_options(-static -static-libgcc -static-libstdc++)
        # A function with a buffer on its stack checks a guard value before it
        # returns, so an overrun buffer ends the program instead of running
        # code through a return address it overwrote. The shipped programs
        # bring the guard's run-time themselves (cmake/Release.cmake); the
        # others link GCC's (libssp), which the flag adds to a link.
        add_compile_options(-fstack-protector-strong)
        add_link_options(-fstack-protector-strong)
        # No path of this checkout or build folder in what the compiler writes
        # (__FILE__), so another folder builds the same bytes.
        add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                            -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
    endif()
endmacro()
