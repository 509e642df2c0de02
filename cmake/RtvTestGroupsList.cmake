# SPDX-License-Identifier: GPL-3.0-or-later
# Run by ctest (see RtvTestGroups.cmake): lists the suites of one GoogleTest executable and
# adds a test per suite, or per case for the suites that must be alone.
if(NOT EXISTS "${RTV_GROUPS_EXECUTABLE}")
  add_test(${RTV_GROUPS_LABEL}.NOT_BUILT "${RTV_GROUPS_EXECUTABLE}")
  return()
endif()
if(NOT EXISTS "${RTV_GROUPS_LIST}" OR "${RTV_GROUPS_EXECUTABLE}" IS_NEWER_THAN "${RTV_GROUPS_LIST}")
  execute_process(COMMAND "${RTV_GROUPS_WRAPPER}" "${RTV_GROUPS_EXECUTABLE}" --gtest_list_tests
                  OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${RTV_GROUPS_EXECUTABLE} --gtest_list_tests failed (${status}):\n"
                        "${listing}${errors}")
  endif()
  # "Suite.  # TypeParam = x" then "  Case  # GetParam() = y" per case.
  string(REPLACE ";" "\\;" listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  set(script "")
  set(suite "")
  set(cases 0)
  macro(rtv_close_suite)
    if(suite AND NOT suite IN_LIST alone_suites)
      math(EXPR timeout "300 + 20 * ${cases}")
      string(APPEND script "add_test(\"${RTV_GROUPS_LABEL}.${suite}\" \"${RTV_GROUPS_WRAPPER}\" "
             "\"${RTV_GROUPS_EXECUTABLE}\" \"--gtest_filter=${suite}.*\" --gtest_brief=1)\n"
             "set_tests_properties(\"${RTV_GROUPS_LABEL}.${suite}\" PROPERTIES "
             "LABELS ${RTV_GROUPS_LABEL} TIMEOUT ${timeout} "
             "ENVIRONMENT \"${RTV_GROUPS_ENVIRONMENT}\")\n")
    endif()
  endmacro()
  set(alone_suites ${RTV_GROUPS_ALONE})
  foreach(line IN LISTS lines)
    string(REGEX REPLACE " *#.*" "" line "${line}")
    if(line MATCHES "^([^ ]+)\\.$")
      rtv_close_suite()
      set(suite "${CMAKE_MATCH_1}")
      set(cases 0)
    elseif(line MATCHES "^  ([^ ]+)$")
      math(EXPR cases "${cases} + 1")
      if(suite IN_LIST alone_suites)
        set(name "${RTV_GROUPS_LABEL}.${suite}.${CMAKE_MATCH_1}")
        string(APPEND script "add_test(\"${name}\" \"${RTV_GROUPS_WRAPPER}\" "
               "\"${RTV_GROUPS_EXECUTABLE}\" \"--gtest_filter=${suite}.${CMAKE_MATCH_1}\" "
               "--gtest_brief=1)\n"
               "set_tests_properties(\"${name}\" PROPERTIES LABELS ${RTV_GROUPS_LABEL} "
               "TIMEOUT 300 ENVIRONMENT \"${RTV_GROUPS_ENVIRONMENT}\")\n")
      endif()
    endif()
  endforeach()
  rtv_close_suite()
  file(WRITE "${RTV_GROUPS_LIST}" "${script}")
endif()
include("${RTV_GROUPS_LIST}")
