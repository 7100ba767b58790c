# Programs that the build itself runs are built for the build host with its
# own compiler, never for Windows: no emulator is needed to build.

find_program(ORVEL_HOST_CXX NAMES c++ g++ clang++ REQUIRED
  DOC "C++ compiler of the build host, for the programs the build runs")

# orvel_host_program(NAME SOURCE...): builds NAME from the SOURCEs (paths
# relative to the repository) into the build folder's host/ and defines
# the target NAME; the program's path is in ORVEL_HOST_<NAME>.
function(orvel_host_program name)
  set(output "${PROJECT_BINARY_DIR}/host/${name}")
  list(TRANSFORM ARGN PREPEND "${PROJECT_SOURCE_DIR}/" OUTPUT_VARIABLE sources)
  # Each source's own header is an input too.
  set(inputs ${sources})
  foreach(source ${sources})
    string(REGEX REPLACE "\\.cpp$" ".h" header "${source}")
    if(EXISTS "${header}")
      list(APPEND inputs "${header}")
    endif()
  endforeach()
  add_custom_command(OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/host"
    COMMAND "${ORVEL_HOST_CXX}" -std=c++20 -O2 -Wall -Wextra
            -I "${PROJECT_SOURCE_DIR}" ${sources} -o "${output}"
    DEPENDS ${inputs}
    COMMENT "Building ${name} for the build host"
    VERBATIM)
  add_custom_target(${name} DEPENDS "${output}")
  string(TOUPPER "${name}" upper)
  set(ORVEL_HOST_${upper} "${output}" CACHE INTERNAL "")
endfunction()
