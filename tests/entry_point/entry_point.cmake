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
