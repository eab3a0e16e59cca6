# Tests of the window toolkit and of the windows, included from the WIN32
# block of tests/CMakeLists.txt. The window tests start corvane_window_host
# and drive it from outside; all of them share one desktop, whose activation
# and focus they depend on, so CTest runs them one at a time.
add_library(corvane_automation STATIC
  win/automation/input.cpp
  win/automation/list_view.cpp
  win/automation/message_box.cpp
  win/automation/native_registry.cpp
  win/automation/process.cpp
  win/automation/tool_tips.cpp
  win/automation/text_fit.cpp
  win/automation/windows.cpp
)
corvane_target_options(corvane_automation)
target_include_directories(corvane_automation PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/win)
target_link_libraries(corvane_automation PUBLIC corvane_core user32 gdi32 comctl32)

add_executable(corvane_window_host win/window_host.cpp win/window_host.rc)
set_source_files_properties(win/window_host.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/app/corvane.ico;${CMAKE_SOURCE_DIR}/src/app/corvane.manifest")
corvane_target_options(corvane_window_host)
target_link_libraries(corvane_window_host PRIVATE corvane_windows shell32)

add_executable(corvane_window_tests
  win/windows/alert_window_test.cpp
  win/windows/blacklist_editor_test.cpp
  win/windows/log_viewer_test.cpp
  win/windows/removed_entries_window_test.cpp
  win/windows/text_fit_test.cpp
  win/framework/form_test.cpp
  win/framework/form_fit_test.cpp
  win/framework/message_boxes_test.cpp
)
corvane_target_options(corvane_window_tests)
target_include_directories(corvane_window_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win)
target_link_libraries(corvane_window_tests PRIVATE corvane_automation corvane_windows gtest
                                                   gtest_main)
# The tests copy the host from beside themselves.
add_dependencies(corvane_window_tests corvane_window_host)
gtest_discover_tests(corvane_window_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES TIMEOUT 120 RESOURCE_LOCK corvane_desktop)
