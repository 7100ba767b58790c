# The entry point of the shipped programs, started as Windows starts them:
# a probe built like install.exe prints what its WinMain received.
add_executable(entry_point_probe WIN32
  "${CMAKE_CURRENT_LIST_DIR}/entry_point_probe.cpp")
orvel_release_binary(entry_point_probe)
if(CMAKE_CROSSCOMPILING)
  add_test(NAME entry_point
    COMMAND "${CMAKE_CURRENT_LIST_DIR}/entry_point_test.sh"
            "${PROJECT_SOURCE_DIR}/tools/wine-run.sh" "${ORVEL_WINE_PREFIX}"
            "$<TARGET_FILE:entry_point_probe>")
  set_tests_properties(entry_point PROPERTIES FIXTURES_REQUIRED wine)
endif()

# A buffer overrun in a program built the same way ends it at once with
# the stack cookie's failure code, instead of running on.
add_executable(stack_overrun_probe WIN32
  "${CMAKE_CURRENT_LIST_DIR}/stack_overrun_probe.cpp")
orvel_release_binary(stack_overrun_probe)
if(CMAKE_CROSSCOMPILING)
  add_test(NAME stack_overrun
    COMMAND "${CMAKE_CURRENT_LIST_DIR}/stack_overrun_test.sh"
            "${PROJECT_SOURCE_DIR}/tools/wine-run.sh" "${ORVEL_WINE_PREFIX}"
            "$<TARGET_FILE:stack_overrun_probe>")
  set_tests_properties(stack_overrun PROPERTIES FIXTURES_REQUIRED wine
                       TIMEOUT 120)
endif()
