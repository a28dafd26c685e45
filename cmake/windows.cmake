# The real plug-in and the end-to-end tests that run it under Wine.
enable_language(RC)
# The DLL, the tests and the tools side by side, as in the host's folder.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# No link time in the PE header, so that two builds of one commit are the same bytes.
add_link_options(-Wl,--no-insert-timestamp)
set(DKZ_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(DKZ_WIN_LIBS ole32 oleaut32 uuid version gdi32 user32 comctl32)

file(GLOB DKZ_WIN_SOURCES CONFIGURE_DEPENDS
  src/base/*_win.cpp src/contest/*_win.cpp src/engine/*_win.cpp src/reports/*_win.cpp
  src/live/*.cpp src/setup/*.cpp src/plugin/*.cpp src/win/*.cpp)
add_library(Stats SHARED ${DKZ_WIN_SOURCES} src/resources/stats.rc src/plugin/Stats.def)
set_target_properties(Stats PROPERTIES PREFIX "" OUTPUT_NAME Stats)
target_link_libraries(Stats PRIVATE dkz_core ${DKZ_WIN_LIBS})
target_link_options(Stats PRIVATE ${DKZ_STATIC_RUNTIME} -s -Wl,--subsystem,windows)
set_property(SOURCE src/resources/stats.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/resources/dkz.ico)

# A tool that runs the real Stats.dll through the host simulator (tools/host).
function(dkz_add_host_tool name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE dkz_host)
  target_link_options(${name} PRIVATE ${DKZ_STATIC_RUNTIME})
  add_dependencies(${name} Stats)
endfunction()

# GoogleTest from Debian's sources, built with the cross compiler.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
# Test programs need no optimisation, and -O0 halves their compile time; the
# DLL and the tools it ships with keep the release flags.
set(DKZ_TEST_COMPILE_OPTIONS -O0)
target_compile_options(gtest PRIVATE ${DKZ_TEST_COMPILE_OPTIONS})
target_compile_options(gtest_main PRIVATE ${DKZ_TEST_COMPILE_OPTIONS})

# What the end-to-end tests check with, beside the host simulator of tools/host.
file(GLOB DKZ_TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/support/*.cpp)
add_library(test_support STATIC ${DKZ_TEST_SUPPORT_SOURCES})
target_include_directories(test_support PUBLIC tests/support)
target_link_libraries(test_support PUBLIC dkz_host)
target_compile_options(test_support PRIVATE ${DKZ_TEST_COMPILE_OPTIONS})

file(GLOB DKZ_E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*.cpp)
add_executable(e2e_tests ${DKZ_E2E_TESTS} tests/support/test_host.rc)
target_link_libraries(e2e_tests PRIVATE test_support GTest::gtest_main)
target_link_options(e2e_tests PRIVATE ${DKZ_STATIC_RUNTIME})
target_compile_options(e2e_tests PRIVATE ${DKZ_TEST_COMPILE_OPTIONS})
add_dependencies(e2e_tests Stats version_stub)
# Golden files are read from the source tree.
target_compile_definitions(e2e_tests PRIVATE DKZ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# A second small executable with a version of its own, for the CREATED-BY tests.
add_executable(version_stub tests/version_stub/main.c tests/version_stub/version.rc)
target_link_options(version_stub PRIVATE -static)

include(GoogleTest)
# Two kinds of test run alone: suites named Live* (instantiated or not) register the one
# "Orvo2.Application" object of the Wine session, which any other test's plug-in would find;
# CabrilloDialog* tests follow the keyboard focus, which dialogs of parallel tests would take.
set(DKZ_SERIAL_TESTS "Live*:*/Live*:CabrilloDialog*")
gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  TEST_FILTER "-${DKZ_SERIAL_TESTS}" TEST_LIST e2e_shared_tests PROPERTIES TIMEOUT 120)
gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  TEST_FILTER "${DKZ_SERIAL_TESTS}" TEST_LIST e2e_serial_tests
  PROPERTIES TIMEOUT 240 RUN_SERIAL TRUE)
