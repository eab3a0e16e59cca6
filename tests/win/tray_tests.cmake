# Tests of the tray component and of the program's resources, included from
# the WIN32 block of tests/CMakeLists.txt after windows_tests.cmake (they use
# its corvane_automation). The test program is linked with the program's own
# corvane.rc, so the project needs the RC language.
if(NOT CMAKE_RC_COMPILER_LOADED)
  message(FATAL_ERROR "The tray tests need the RC language: project(Corvane ... LANGUAGES C CXX RC)")
endif()

add_executable(corvane_tray_tests
  ${CMAKE_CURRENT_LIST_DIR}/tray/tray_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray/traycomp_shell_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray/traycomp_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray/taskbar_button_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray/form_tray_owner_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray/resources_test.cpp
  ${CMAKE_SOURCE_DIR}/src/app/corvane.rc
)
corvane_target_options(corvane_tray_tests)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/corvane.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/app/corvane.ico;${CMAKE_SOURCE_DIR}/src/app/corvane.manifest;${CORVANE_EVENTS_FILES}")
target_include_directories(corvane_tray_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(corvane_tray_tests PRIVATE corvane_tray corvane_automation version gtest
                                                 gtest_main)
# The menu and the foreground window belong to the one shared desktop.
gtest_discover_tests(corvane_tray_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES TIMEOUT 120 RESOURCE_LOCK corvane_desktop)
