# Read by CPack once per generator: the installer and the zip of one build
# would otherwise both be called Corvane-VERSION-ARCH.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
