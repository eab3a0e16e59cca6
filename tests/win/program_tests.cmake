# Tests of the whole program: each starts the real corvane.exe and drives it
# from outside as a user would. Included from the WIN32 block of
# tests/CMakeLists.txt after windows_tests.cmake, whose corvane_automation
# they use.
target_sources(corvane_automation PRIVATE ${CMAKE_CURRENT_LIST_DIR}/automation/popup_menu.cpp)

add_executable(corvane_program_tests
  ${CMAKE_CURRENT_LIST_DIR}/program/running_program_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/program_fixture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/startup_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/commands_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/session_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/names_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/places_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/change_signal_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/restart_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/planting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/put_back_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/flood_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/main_window_fit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program/startup_entries_test.cpp
)
corvane_target_options(corvane_program_tests)
target_include_directories(corvane_program_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(corvane_program_tests PRIVATE corvane_win32 corvane_automation gtest
                                                    gtest_main)
# Each test runs a copy of the program as the build made it.
target_compile_definitions(corvane_program_tests PRIVATE
                           CORVANE_PROGRAM="$<TARGET_FILE:corvane>")
add_dependencies(corvane_program_tests corvane)
# They share the desktop with the window tests and change the options file
# and the Run keys, which the scans of other tests read. The discovery splits
# a list in its PROPERTIES, so the two locks are set once CTest knows the tests.
gtest_discover_tests(corvane_program_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES TIMEOUT 120)
set(corvane_program_locks ${CMAKE_CURRENT_BINARY_DIR}/corvane_program_tests_locks.cmake)
file(WRITE ${corvane_program_locks}
  "if(corvane_program_tests_TESTS)\n"
  "  set_tests_properties(\${corvane_program_tests_TESTS} PROPERTIES\n"
  "                       RESOURCE_LOCK \"corvane_desktop;corvane_autostart_places\")\n"
  "endif()\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${corvane_program_locks})

# For scripts such as scripts/screenshots.sh: starts a poll cycle of the
# running program at once, and tells where its windows are on the screen.
add_executable(corvane_poke ${CMAKE_CURRENT_LIST_DIR}/program/poke.cpp)
corvane_target_options(corvane_poke)
target_link_libraries(corvane_poke PRIVATE corvane_core)
