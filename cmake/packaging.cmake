# The packages of a Windows build, made by CPack (scripts/package.sh): a
# portable zip and an installer built by NSIS from packaging/NSIS.template.in.
# Both take the version from project() and the program stripped.

if(CORVANE_WINDOWS_ARCH STREQUAL x86_64)
  set(CPACK_CORVANE_ARCH x64)
else()
  set(CPACK_CORVANE_ARCH x86)
endif()

# The readme names the version and has Windows line ends; the licence sits
# beside the program.
set(CORVANE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
configure_file(${CMAKE_SOURCE_DIR}/packaging/README.txt ${CMAKE_BINARY_DIR}/packaging/README.txt @ONLY
               NEWLINE_STYLE WIN32)
install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)

# Only the installers put this marker beside the program (the zip must not
# hold it): it tells Corvane to keep each user's data in %APPDATA%\Corvane.
configure_file(${CMAKE_SOURCE_DIR}/packaging/installed.txt ${CMAKE_BINARY_DIR}/packaging/installed.txt
               @ONLY NEWLINE_STYLE WIN32)
set(CPACK_CORVANE_MARKER ${CMAKE_BINARY_DIR}/packaging/installed.txt)

# The installer's icon and its welcome and header pictures, drawn from the
# program's icon (scripts/package.sh builds this target).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(CPACK_CORVANE_ICON ${CMAKE_SOURCE_DIR}/src/app/corvane.ico)
set(CPACK_CORVANE_PICTURES ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(
  OUTPUT ${CPACK_CORVANE_PICTURES}/welcome.bmp ${CPACK_CORVANE_PICTURES}/header.bmp
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/make-installer-pictures.py
          ${CPACK_CORVANE_ICON} ${CPACK_CORVANE_PICTURES}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make-installer-pictures.py ${CPACK_CORVANE_ICON})
add_custom_target(installer_pictures ALL
  DEPENDS ${CPACK_CORVANE_PICTURES}/welcome.bmp ${CPACK_CORVANE_PICTURES}/header.bmp)

set(CPACK_PACKAGE_NAME Corvane)
set(CPACK_PACKAGE_VENDOR "Halvorn LLC.")
set(CPACK_PACKAGE_VERSION ${CORVANE_VERSION})
set(CPACK_PACKAGE_FILE_NAME Corvane-${CORVANE_VERSION}-${CPACK_CORVANE_ARCH})
set(CPACK_CORVANE_COPYRIGHT "Copyright (c) 2026 Halvorn LLC.")
set(CPACK_GENERATOR ZIP NSIS)
# CPack installs without building everything first; scripts/package.sh builds
# the program itself.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_STRIP_FILES ON)
# The installer's own name gets "-setup"; see the file.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/generators.cmake)
# CPack looks for NSIS.template.in here first.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging)
include(CPack)
