# The notification-area component (unit TrayComp). Included from the WIN32
# block of src/CMakeLists.txt, after windows.cmake, which defines the toolkit.
add_library(corvane_tray STATIC
  ${CMAKE_CURRENT_LIST_DIR}/form_tray_owner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_system.cpp
  ${CMAKE_CURRENT_LIST_DIR}/traycomp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/traycomp_messages.cpp
)
corvane_target_options(corvane_tray)
target_link_libraries(corvane_tray PUBLIC corvane_windows shell32)
# Whatever compiles corvane.rc links this library: the message table is made
# first and found on its include path.
add_dependencies(corvane_tray corvane_events)
target_include_directories(corvane_tray PUBLIC ${CORVANE_EVENTS_DIR})

# The resource compiler does not report the files an .rc names; rebuild the
# resources when the icon, the manifest or the message table changes.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/corvane.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/app/corvane.ico;${CMAKE_SOURCE_DIR}/src/app/corvane.manifest;${CORVANE_EVENTS_FILES}")
