# The core's tests for Windows: GoogleTest built with mingw-w64 from Debian's
# sources, the test program run under Wine by scripts/windows-test.sh.
# Windows only: the first-start marker in the registry.
# Left out, with the reason:
#   cLdapDirectoryTest, LdapHostileTest: the LDAP backend is OpenLDAP's, built on Linux only
#   DnsLookupTest: the resolver's SRV lookup is Linux only
#   NetworkSetupTest: file modes, core limits and the LDAP options of the Linux program
#   ConfigurationFileTest: resource limits, FIFOs, links and the XDG folders of POSIX
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(ORVIK_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian: googletest)")
add_subdirectory(${ORVIK_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(orvik_tests ${ORVIK_CORE_TESTS} cRegistryStartupMarkerTest.cpp)
target_include_directories(orvik_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(orvik_tests PRIVATE ORVIK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
target_link_libraries(orvik_tests PRIVATE orvik_core gtest_main)

# Tests that need what only POSIX has, skipped by name under Wine (with the reason);
# scripts/windows-test.sh reads the filter from the build folder.
set(ORVIK_WINE_SKIPPED
  SimulatedDirectory.OnlyARegularFileOfASaneSizeIsRead  # reads /dev/zero, a POSIX device
)
list(JOIN ORVIK_WINE_SKIPPED ":" skipped)
file(WRITE ${CMAKE_BINARY_DIR}/wine-gtest-filter.txt "-${skipped}\n")

# The Windows front end's tests: dialogs need a window station, so
# scripts/windows-test.sh runs them under a virtual X server.
add_executable(orvik_win32_tests win32/Win32FormTest.cpp win32/GdiSurfaceTest.cpp win32/MainWindowTest.cpp)
target_include_directories(orvik_win32_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(orvik_win32_tests PRIVATE ORVIK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
target_link_libraries(orvik_win32_tests PRIVATE orvik_win32 gtest_main)
# The program's icon, for the dialogs that show it.
target_sources(orvik_win32_tests PRIVATE ${PROJECT_BINARY_DIR}/packaging/windows/orvik.rc)
