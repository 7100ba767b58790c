# A payload with a 32 MB program, only for measuring the installation run:
# built on request (target install_big_payload), never by default.
#
# Run as a script (cmake -P) it writes the big program: the demo program
# followed by copies of the demo program and help file, up to 32 MiB; the
# version resource at the start stays readable.
if(CMAKE_SCRIPT_MODE_FILE)
  file(SIZE "${PROGRAM}" program_size)
  file(SIZE "${HELP}" help_size)
  set(parts "${PROGRAM}")
  set(size ${program_size})
  while(size LESS 33554432)
    list(APPEND parts "${PROGRAM}" "${HELP}")
    math(EXPR size "${size} + ${program_size} + ${help_size}")
  endwhile()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E cat ${parts}
                  OUTPUT_FILE "${OUTPUT}" COMMAND_ERROR_IS_FATAL ANY)
  return()
endif()

set(big_dir "${CMAKE_CURRENT_BINARY_DIR}/engine/big")
set(big_program "${big_dir}/orvel.exe")
add_custom_command(OUTPUT "${big_program}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${big_dir}"
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:orvel>
          -DHELP=${ORVEL_CHM_FILE} -DOUTPUT=${big_program}
          -P "${CMAKE_CURRENT_LIST_FILE}"
  DEPENDS orvel "${ORVEL_CHM_FILE}" "${CMAKE_CURRENT_LIST_FILE}"
  COMMENT "Writing a 32 MB program")
include("${PROJECT_SOURCE_DIR}/cmake/payload_module.cmake")
orvel_payload_module(install_big_payload "${big_dir}" "${big_program}")

orvel_windows_path(big_payload_path "${big_dir}/install_big_payload.dll")
orvel_windows_path(big_program_path "${big_program}")
target_compile_definitions(engine_test PRIVATE
  BIG_PAYLOAD_PATH="${big_payload_path}"
  BIG_PROGRAM_PATH="${big_program_path}")
