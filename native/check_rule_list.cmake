# Fails when a product source that compiles without any Windows header is
# missing from rule_files.cmake, so the native build covers every rule.
# Run with -DROOT=<repository> -DCOMPILER=<clang++>.
include("${CMAKE_CURRENT_LIST_DIR}/rule_files.cmake")

file(GLOB candidates RELATIVE "${ROOT}"
  "${ROOT}/state/*.cpp" "${ROOT}/shell/*.cpp" "${ROOT}/engine/*.cpp"
  "${ROOT}/shortcuts/*.cpp" "${ROOT}/dialogs/*.cpp" "${ROOT}/tools/szdd/*.cpp")
# Program entry points of the build tools are not rules.
list(REMOVE_ITEM candidates tools/szdd/szdd_main.cpp)

set(missing "")
foreach(source ${candidates})
  list(FIND ORVEL_RULE_SOURCES "${source}" listed)
  if(listed GREATER -1)
    continue()
  endif()
  execute_process(
    COMMAND "${COMPILER}" -std=c++20 -fsyntax-only -I "${ROOT}"
            "${ROOT}/${source}"
    RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  if(NOT failed)
    list(APPEND missing "${source}")
  endif()
endforeach()

if(missing)
  message(FATAL_ERROR "Rule files missing from native/rule_files.cmake: "
                      "${missing}")
endif()
message(STATUS "Every Windows-free product source is in the rule list.")
