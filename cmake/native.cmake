# Native unit tests of the portable core (GoogleTest from Debian).
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB DKZ_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${DKZ_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE dkz_core GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)
# GoogleTest's header is the bulk of every test file's compile: parse it once.
target_precompile_headers(unit_tests PRIVATE <gtest/gtest.h>)
