# Small DLLs that carry nothing but their own version resources, for the
# version reader's tests. Each named file gets version_files/<name>.rc when
# there is one; "no_version" has no resources at all.
if(TARGET engine_test)
  set(version_files_dir "${CMAKE_CURRENT_BINARY_DIR}/version_files")
  set(version_file_names no_version no_title missing_table long_version
      large_block two_translations first_translation_incomplete)
  foreach(name ${version_file_names})
    set(sources "${CMAKE_CURRENT_LIST_DIR}/version_files/empty.c")
    set(script "${CMAKE_CURRENT_LIST_DIR}/version_files/${name}.rc")
    if(EXISTS "${script}")
      list(APPEND sources "${script}")
    endif()
    add_library(version_file_${name} SHARED ${sources})
    set_target_properties(version_file_${name} PROPERTIES
      OUTPUT_NAME ${name} PREFIX ""
      RUNTIME_OUTPUT_DIRECTORY "${version_files_dir}")
    target_link_options(version_file_${name} PRIVATE -nostdlib -Wl,-e,0 -s)
    add_dependencies(engine_test version_file_${name})
  endforeach()
  orvel_windows_path(version_files_path "${version_files_dir}")
  target_compile_definitions(engine_test PRIVATE
    VERSION_FILES_DIR="${version_files_path}")
  # The start-up of an installer without a version resource.
  if(TARGET shell_test)
    add_dependencies(shell_test version_file_no_version)
    target_compile_definitions(shell_test PRIVATE
      VERSION_FILES_DIR="${version_files_path}")
  endif()
endif()
