# Damaged inputs for the fault matrix: payloads, version resources and
# agreement texts that an installer or a disk may present.
orvel_resource_module(fault_payloads fault_payloads.rc)
orvel_resource_module(fault_version_overlong fault_version_overlong.rc)
orvel_resource_module(fault_version_cut fault_version_cut.rc)
add_dependencies(engine_test fault_payloads fault_version_overlong
                 fault_version_cut)

# The checksum table of an installer whose orvel.exe is the program with
# the version resource cut short, recorded as the build records its own.
set(cut_record "${CMAKE_CURRENT_BINARY_DIR}/engine/version_cut.crc")
add_custom_command(OUTPUT "${cut_record}"
  COMMAND "${ORVEL_HOST_PAYLOAD_CRC}" "${cut_record}"
          "$<TARGET_FILE:fault_version_cut>"
  DEPENDS fault_version_cut payload_crc "${ORVEL_HOST_PAYLOAD_CRC}")
orvel_resource_module(fault_version_cut_record fault_version_cut_record.rc)
target_include_directories(fault_version_cut_record PRIVATE
  "${CMAKE_CURRENT_BINARY_DIR}/engine")
set_source_files_properties(
  "${CMAKE_CURRENT_LIST_DIR}/fault_version_cut_record.rc"
  PROPERTIES OBJECT_DEPENDS "${cut_record}")
add_dependencies(engine_test fault_version_cut_record)

# The installer's own resources with another agreement text.
function(orvel_agreement_module name text)
  add_library(${name} MODULE "${CMAKE_CURRENT_LIST_DIR}/fault_texts/${text}.rc")
  set_target_properties(${name} PROPERTIES LINKER_LANGUAGE C PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/engine")
  target_include_directories(${name} PRIVATE
    "${PROJECT_SOURCE_DIR}/resources" "${PAYLOAD_DIR}")
  get_property(inputs GLOBAL PROPERTY ORVEL_RESOURCE_INPUTS)
  set_source_files_properties("${CMAKE_CURRENT_LIST_DIR}/fault_texts/${text}.rc"
    PROPERTIES OBJECT_DEPENDS
    "${inputs};${CMAKE_CURRENT_LIST_DIR}/fault_texts/${text}.txt")
  target_link_options(${name} PRIVATE -nostdlib -nostartfiles
                      -Wl,--entry=0)
  add_dependencies(${name} payload)
  add_dependencies(engine_test ${name})
endfunction()

orvel_agreement_module(fault_text_no_crlf no_final_crlf)
orvel_agreement_module(fault_text_nul with_nul)

set(fault_dir "${CMAKE_CURRENT_BINARY_DIR}/engine")
orvel_windows_path(fault_dir_path "${fault_dir}")
target_compile_definitions(engine_test PRIVATE FAULT_FILES_DIR="${fault_dir_path}")
target_link_libraries(engine_test PRIVATE szdd)
