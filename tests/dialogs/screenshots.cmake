# The installer window and every dialog photographed and checked at four
# display scales on a virtual X screen.
if(CMAKE_CROSSCOMPILING)
  add_test(NAME screenshots COMMAND "${CMAKE_CURRENT_LIST_DIR}/screenshots.sh"
    "${CMAKE_BINARY_DIR}" "${PROJECT_SOURCE_DIR}")
  set_tests_properties(screenshots PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
    ENVIRONMENT "WINE_RUN_ARCH=${ORVEL_WINE_ARCH}")
endif()
