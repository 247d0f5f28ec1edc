# The launcher's Wine tests (included by systest/engine/CMakeLists.txt).

# A stand-in for the diagnostic program, built as Vexmira.exe into the folder
# of the launcher tests, where the search for "Vexmira.exe" looks first.
set(launcher_test_dir ${CMAKE_CURRENT_BINARY_DIR}/launcher_tests)
add_executable(diagnostic_stand_in tests/wine/diagnostic_stand_in.cpp)
set_target_properties(diagnostic_stand_in PROPERTIES OUTPUT_NAME Vexmira
                                                     RUNTIME_OUTPUT_DIRECTORY ${launcher_test_dir})

qst_wine_test(engine_launcher_tests
    SOURCES tests/wine/launcher_test.cpp tests/wine/card_list_files_test.cpp
    LIBS engine_graphics_win common_wine_test_support)
set_target_properties(engine_launcher_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                       ${launcher_test_dir})
add_dependencies(engine_launcher_tests diagnostic_stand_in)

# Without the diagnostic: a folder of its own, and a Wine session of its own
# for the adapter it sets up.
add_executable(engine_launcher_missing_tests tests/wine/launcher_missing_test.cpp)
target_link_libraries(engine_launcher_missing_tests PRIVATE engine_graphics_win GTest::gtest_main)
set_target_properties(engine_launcher_missing_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                               ${CMAKE_CURRENT_BINARY_DIR}/launcher_missing_tests)
qst_wine_private_test(engine.wine.launcher_missing_diagnostic
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher_missing_tests
    COMMAND $<TARGET_FILE:engine_launcher_missing_tests>)
