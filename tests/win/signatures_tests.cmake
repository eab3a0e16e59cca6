# The signature checks under Wine, on a sample program signed at build time
# (see win/signatures/make-samples.sh). Included from the WIN32 block of
# tests/CMakeLists.txt.
add_executable(corvane_signature_sample win/signatures/sample.cpp)
set(CORVANE_SIGNATURE_SAMPLES ${CMAKE_CURRENT_BINARY_DIR}/signature_samples)
set(samples signed.exe leaf-only.exe untrusted.exe tampered.exe unsigned.exe root.der)
list(TRANSFORM samples PREPEND ${CORVANE_SIGNATURE_SAMPLES}/)
add_custom_command(
  OUTPUT ${samples}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVANE_SIGNATURE_SAMPLES}
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/win/signatures/make-samples.sh ${CMAKE_OBJDUMP}
          $<TARGET_FILE:corvane_signature_sample> ${CORVANE_SIGNATURE_SAMPLES}
  DEPENDS corvane_signature_sample win/signatures/make-samples.sh)
add_custom_target(corvane_signature_samples DEPENDS ${samples})

add_executable(corvane_signature_tests win/signatures/signatures_win_test.cpp)
corvane_target_options(corvane_signature_tests)
target_compile_definitions(corvane_signature_tests
                           PRIVATE CORVANE_SIGNATURE_SAMPLES="${CORVANE_SIGNATURE_SAMPLES}")
target_link_libraries(corvane_signature_tests PRIVATE corvane_win32 gtest gtest_main)
add_dependencies(corvane_signature_tests corvane_signature_samples)
gtest_discover_tests(corvane_signature_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES TIMEOUT 120)
