# SPDX-License-Identifier: GPL-3.0-or-later
# rtv_add_test_groups(<target> LABEL <label> [ALONE <suite>...])
#
# Registers a GoogleTest executable with CTest as one test per test suite, named
# <label>.<suite>: under the sanitizers a process costs far more than most test cases, so one
# process per case (gtest_discover_tests) spent most of the run starting processes. The
# suites named after ALONE change process-wide state (signal handlers, the process's own
# signals) and get one process per test case, named <label>.<suite>.<case>.
# Every test runs through tests/with-temp-home.sh: HOME and every XDG folder in a fresh
# temporary folder. The suites are listed when ctest starts, again whenever the executable
# is newer than the list.
function(rtv_add_test_groups target)
  cmake_parse_arguments(GROUPS "" "LABEL" "ALONE;ENVIRONMENT" ${ARGN})
  set(prefix ${CMAKE_CURRENT_BINARY_DIR}/${target})
  file(GENERATE OUTPUT ${prefix}_groups_include.cmake CONTENT "
set(RTV_GROUPS_EXECUTABLE \"$<TARGET_FILE:${target}>\")
set(RTV_GROUPS_WRAPPER \"${RTV_TEST_WRAPPER}\")
set(RTV_GROUPS_LABEL \"${GROUPS_LABEL}\")
set(RTV_GROUPS_ALONE \"${GROUPS_ALONE}\")
set(RTV_GROUPS_ENVIRONMENT \"${GROUPS_ENVIRONMENT}\")
set(RTV_GROUPS_LIST \"${prefix}_groups.cmake\")
cmake_policy(PUSH)
cmake_policy(VERSION 3.25)
include(\"${PROJECT_SOURCE_DIR}/cmake/RtvTestGroupsList.cmake\")
cmake_policy(POP)
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${prefix}_groups_include.cmake)
endfunction()
