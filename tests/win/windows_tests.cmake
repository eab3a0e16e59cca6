# Tests of the window toolkit and of the windows, included from the WIN32
# block of tests/CMakeLists.txt. The window tests start corvane_window_host
# and drive it from outside; all of them share one desktop, whose activation
# and focus they depend on, so CTest runs them one at a time.
add_library(corvane_automation STATIC
  win/automation/answer_watch.cpp
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

# The windows at 150% and then at 200%, in one prefix of their own: its DPI
# is set in the registry and read by the Wine server started after that.
# Its desktop is as large as a screen of that DPI is (1024 x 768 at 100%):
# the log viewer at 200% is wider than 1024 pixels.
add_executable(corvane_dpi_tests win/dpi/dpi_test.cpp win/window_host.rc)
set_source_files_properties(win/window_host.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/app/corvane.ico;${CMAKE_SOURCE_DIR}/src/app/corvane.manifest")
corvane_target_options(corvane_dpi_tests)
target_include_directories(corvane_dpi_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win)
target_link_libraries(corvane_dpi_tests PRIVATE corvane_automation corvane_windows gtest gtest_main)
foreach(dpi 144 192)
  math(EXPR desktop_width "1024 * ${dpi} / 96")
  math(EXPR desktop_height "768 * ${dpi} / 96")
  set(prefix ${CMAKE_BINARY_DIR}/wineprefix-dpi)
  set(wine_run ${CMAKE_SOURCE_DIR}/scripts/wine-run ${prefix} ${CORVANE_WINDOWS_ARCH})
  # $0 $1 $2: wine-run, the prefix and the architecture.
  set(setup "\"$0\" \"$1\" \"$2\" reg add \"HKCU\\\\Control Panel\\\\Desktop\"")
  string(APPEND setup " /v LogPixels /t REG_DWORD /d ${dpi} /f")
  string(APPEND setup " && \"$0\" \"$1\" \"$2\" reg add \"HKCU\\\\Software\\\\Wine\\\\Explorer\\\\Desktops\"")
  string(APPEND setup " /v Default /d ${desktop_width}x${desktop_height} /f")
  string(APPEND setup " && \"$0\" \"$1\" \"$2\" --stop")
  add_test(NAME corvane_dpi_${dpi}_machine COMMAND sh -c "${setup}" ${wine_run})
  set_tests_properties(corvane_dpi_${dpi}_machine PROPERTIES
                       FIXTURES_SETUP corvane_dpi_${dpi} TIMEOUT 120
                       RESOURCE_LOCK corvane_dpi_prefix)
  add_test(NAME corvane_dpi_${dpi}
           COMMAND ${wine_run} $<TARGET_FILE:corvane_dpi_tests>)
  set_tests_properties(corvane_dpi_${dpi} PROPERTIES
                       FIXTURES_REQUIRED corvane_dpi_${dpi} ENVIRONMENT CORVANE_DPI=${dpi}
                       TIMEOUT 120 RESOURCE_LOCK "corvane_desktop;corvane_dpi_prefix")
endforeach()
set_tests_properties(corvane_dpi_192_machine PROPERTIES DEPENDS corvane_dpi_144)
