# SPDX-License-Identifier: MIT
# GoogleTest for a cross-build: Debian ships no MinGW-w64 GoogleTest, but its googletest
# package brings the sources (/usr/src/googletest), which we build along with the tests.
set(ORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, for cross-builds")
if(NOT EXISTS ${ORVANE_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${ORVANE_GOOGLETEST_SOURCE} (Debian package googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Our warning flags are for our code; GoogleTest's own sources are not held to them.
foreach(library gtest gtest_main)
    target_compile_options(${library} PRIVATE -w)
endforeach()
# GoogleTest's own build names them GTest::gtest and GTest::gtest_main, as the installed
# package does.
