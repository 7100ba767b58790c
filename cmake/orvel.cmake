# Compiler and linker settings shared by every target of the installer.

set(ORVEL_WARNINGS -Wall -Wextra)

# Product code: small, no exceptions, no RTTI, unused sections dropped.
function(orvel_product_code target)
  target_compile_options(${target} PRIVATE ${ORVEL_WARNINGS}
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections -fdata-sections>)
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
endfunction()

# A Windows program that must run with nothing beside it: static runtimes,
# so that it imports system DLLs only.
function(orvel_release_binary target)
  orvel_product_code(${target})
  target_link_options(${target} PRIVATE -static -static-libgcc
    -static-libstdc++ -Wl,--gc-sections -s)
endfunction()

# A library of one subsystem.
function(orvel_subsystem target)
  set(sources ${ARGN})
  if(NOT sources)
    # A subsystem whose code has not been written yet still links.
    set(sources "${PROJECT_BINARY_DIR}/empty_${target}.cpp")
    file(WRITE "${sources}" "")
  endif()
  add_library(${target} STATIC ${sources})
  orvel_product_code(${target})
endfunction()
