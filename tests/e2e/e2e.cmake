# The end-to-end runs: the real install.exe and install-update.exe under
# Wine on a virtual X screen, driven with xdotool as a person would.
add_executable(e2e_probe "${CMAKE_CURRENT_LIST_DIR}/probe.cpp")
target_compile_options(e2e_probe PRIVATE ${ORVEL_WARNINGS})
target_link_options(e2e_probe PRIVATE -static)
target_link_libraries(e2e_probe PRIVATE oleacc oleaut32 ole32 user32 gdi32
  kernel32)

if(CMAKE_CROSSCOMPILING AND ORVEL_BUILD_UPDATE)
  add_test(NAME e2e COMMAND "${CMAKE_CURRENT_LIST_DIR}/run.sh"
    "${CMAKE_BINARY_DIR}" "${PROJECT_SOURCE_DIR}")
  set_tests_properties(e2e PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
    ENVIRONMENT "WINE_RUN_ARCH=${ORVEL_WINE_ARCH}")
  # Where the host runs 32-bit code, the 32-bit installers also run in a
  # 64-bit prefix, under WoW64 as on every current Windows (the 64-bit
  # system folder, Program Files (x86), the 32-bit script host).
  if(ORVEL_WINE_ARCH STREQUAL "win32")
    add_test(NAME e2e_wow64 COMMAND "${CMAKE_CURRENT_LIST_DIR}/run.sh"
      "${CMAKE_BINARY_DIR}" "${PROJECT_SOURCE_DIR}")
    set_tests_properties(e2e_wow64 PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
      ENVIRONMENT "WINE_RUN_ARCH=win64;E2E_PREFIX=win64")
  endif()
  # The installers as signed by tools/sign.sh still install.
  add_test(NAME e2e_signed COMMAND "${CMAKE_CURRENT_LIST_DIR}/run.sh"
    "${CMAKE_BINARY_DIR}" "${PROJECT_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/signed")
  set_tests_properties(e2e_signed PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
    FIXTURES_REQUIRED signed ENVIRONMENT "WINE_RUN_ARCH=${ORVEL_WINE_ARCH}")
endif()
