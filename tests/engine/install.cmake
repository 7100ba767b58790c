# Files the installation tests put in place of the real payload or of
# files already in the destination: resource-only modules, no code. (A
# program without Title comes from the version reader's files.)
function(orvel_resource_module name rc)
  add_library(${name} MODULE "${CMAKE_CURRENT_LIST_DIR}/${rc}")
  set_target_properties(${name} PROPERTIES LINKER_LANGUAGE C PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/engine")
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}")
  target_link_options(${name} PRIVATE -nostdlib -nostartfiles
                      -Wl,--entry=0)
endfunction()

orvel_resource_module(install_corrupt_payload install_corrupt_payload.rc)
orvel_resource_module(install_newer_orvel install_newer_orvel.rc)
add_dependencies(engine_test install_corrupt_payload install_newer_orvel)

orvel_windows_path(corrupt_payload_path
  "${CMAKE_CURRENT_BINARY_DIR}/engine/install_corrupt_payload.dll")
orvel_windows_path(newer_orvel_path
  "${CMAKE_CURRENT_BINARY_DIR}/engine/install_newer_orvel.dll")
target_compile_definitions(engine_test PRIVATE
  CORRUPT_PAYLOAD_PATH="${corrupt_payload_path}"
  NEWER_ORVEL_PATH="${newer_orvel_path}")
