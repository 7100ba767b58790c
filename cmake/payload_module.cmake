# A payload of its own, for measuring the installation run on a larger
# product: a resource-only DLL that holds PROGRAM, packed, as resource 900
# and the demo help file as 901, built on request only (EXCLUDE_FROM_ALL).
# The installer takes it when its appInstance is the loaded DLL.
#   orvel_payload_module(TARGET DIR PROGRAM)
function(orvel_payload_module target dir program)
  set(packed "${dir}/orvel.ex_")
  add_custom_command(OUTPUT "${packed}"
    COMMAND szdd_pack "${program}" "${packed}"
    DEPENDS szdd_pack "${program}"
    COMMENT "Packing ${program}")

  set(rc "${dir}/${target}.rc")
  file(WRITE "${rc}.in"
    "900 RCDATA \"${packed}\"\n901 RCDATA \"${PAYLOAD_DIR}/orvel.ch_\"\n")
  configure_file("${rc}.in" "${rc}" COPYONLY)
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS
    "${packed};${PAYLOAD_DIR}/orvel.ch_")

  add_library(${target} MODULE EXCLUDE_FROM_ALL "${rc}")
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C
    PREFIX "" LIBRARY_OUTPUT_DIRECTORY "${dir}")
  target_link_options(${target} PRIVATE -nostdlib -nostartfiles
                      -Wl,--entry=0)
  add_dependencies(${target} payload)
endfunction()
