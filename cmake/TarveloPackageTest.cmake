# The packages as an office and a host's developer meet them: built from this
# build, unpacked into a temporary root, the example host built against that
# root alone and the program run from it (tests/package/check-package.sh).
add_test(NAME Package.InstallsForAnOfficeAndEmbedsInAHost
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/check-package.sh
          ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} "${CMAKE_CXX_COMPILER_LAUNCHER}")
set_tests_properties(Package.InstallsForAnOfficeAndEmbedsInAHost PROPERTIES
  TIMEOUT 1200 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The interface that hosts of version 1 rely on: the ABI against the baseline
# in packaging/abi/ (settings blocks included) and the symbols against the
# Debian symbols file, none of them a lambda's type.
add_test(NAME Library.AbiMatchesBaseline
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/check-abi.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(Library.AbiMatchesBaseline PROPERTIES TIMEOUT 900)
