# SPDX-License-Identifier: MIT
# orvane_add_gtest(TARGET [PROPERTIES ...]): registers a GoogleTest executable with CTest.
# Natively each test case becomes a CTest test of its own. A cross-built executable runs
# under the emulator (Wine), whose start-up costs a second or more, so there the whole
# executable is one CTest test and GoogleTest's own output names the failing cases.
function(orvane_add_gtest target)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
        if(ARGN)
            set_tests_properties(${target} ${ARGN})
        endif()
    else()
        gtest_discover_tests(${target} ${ARGN})
    endif()
endfunction()
