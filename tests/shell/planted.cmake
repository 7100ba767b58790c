# A library and a program planted beside the installer and in the
# temporary folder, to show that it never loads or starts them.
add_library(planted_library SHARED "${CMAKE_CURRENT_LIST_DIR}/planted/planted.cpp")
add_executable(planted_program WIN32
  "${CMAKE_CURRENT_LIST_DIR}/planted/planted.cpp")
target_compile_definitions(planted_program PRIVATE PLANTED_PROGRAM)
target_link_libraries(planted_program PRIVATE lz32)
foreach(planted planted_library planted_program)
  target_compile_options(${planted} PRIVATE ${ORVEL_WARNINGS})
  target_link_options(${planted} PRIVATE -static)
  set_target_properties(${planted} PROPERTIES PREFIX "")
endforeach()
add_dependencies(shell_test planted_library planted_program)
orvel_windows_path(planted_library_path
  "${CMAKE_CURRENT_BINARY_DIR}/planted_library.dll")
orvel_windows_path(planted_program_path
  "${CMAKE_CURRENT_BINARY_DIR}/planted_program.exe")
target_compile_definitions(shell_test PRIVATE
  PLANTED_LIBRARY_PATH="${planted_library_path}"
  PLANTED_PROGRAM_PATH="${planted_program_path}")
