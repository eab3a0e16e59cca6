# Tests that run as an unprivileged Unix user. Wine run as root writes every
# file; run as such a user it refuses what the user may not write, as Windows
# refuses a standard user. Included from the WIN32 block of
# tests/CMakeLists.txt after program_tests.cmake, whose corvane_automation
# they use.
set(CORVANE_UNPRIVILEGED_USER nobody CACHE STRING
    "The Unix user as whom the standard-user tests run under Wine")
set(corvane_unprivileged_prefix ${CMAKE_BINARY_DIR}/wineprefix-${CORVANE_UNPRIVILEGED_USER})

# Root makes the user's prefix a standard user's machine before any of them.
add_test(NAME corvane_standard_user_machine
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/standard-user-machine ${CORVANE_UNPRIVILEGED_USER}
                 ${corvane_unprivileged_prefix} ${CORVANE_WINDOWS_ARCH} $<TARGET_FILE:corvane>
                 $<TARGET_FILE_DIR:corvane>/corvane-help.html)
set_tests_properties(corvane_standard_user_machine PROPERTIES
                     FIXTURES_SETUP corvane_standard_user TIMEOUT 120)

# Registers the tests of a Windows GoogleTest program to run as the user on
# that machine. They share the one desktop with the other window tests.
function(corvane_unprivileged_tests target)
  # Read by gtest_discover_tests, for the listing as for every test.
  set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR
               ${CMAKE_SOURCE_DIR}/scripts/wine-run --user ${CORVANE_UNPRIVILEGED_USER}
               ${corvane_unprivileged_prefix} ${CORVANE_WINDOWS_ARCH})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 120 RESOURCE_LOCK corvane_desktop
                                  FIXTURES_REQUIRED corvane_standard_user)
endfunction()

add_executable(corvane_unprivileged_tests
  ${CMAKE_CURRENT_LIST_DIR}/program/running_program_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unprivileged/standard_user_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unprivileged/standard_user_machine_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unprivileged/standard_user_story_test.cpp
)
corvane_target_options(corvane_unprivileged_tests)
target_include_directories(corvane_unprivileged_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(corvane_unprivileged_tests PRIVATE corvane_core corvane_automation gtest
                                                         gtest_main)
# The machine is made from the program as the build made it.
add_dependencies(corvane_unprivileged_tests corvane)
corvane_unprivileged_tests(corvane_unprivileged_tests)
