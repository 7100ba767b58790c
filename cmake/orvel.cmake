# Compiler and linker settings shared by every target of the installer.

set(ORVEL_WARNINGS -Wall -Wextra)

# The size measures of the shipped programs. Each can be switched off, so
# that bench/ can build the installer without it and show what it saves.
option(ORVEL_SECTION_GC "Drop unused functions when linking" ON)
option(ORVEL_NO_EXCEPTIONS "Product code without exceptions and RTTI" ON)
option(ORVEL_NO_UNWIND_TABLES
  "Product code without unwind tables, which nothing of it needs" ON)
option(ORVEL_STRIP "Strip the symbol table of the shipped programs" ON)

# Product code: small, no exceptions, no RTTI, unused functions dropped.
function(orvel_product_code target)
  target_compile_options(${target} PRIVATE ${ORVEL_WARNINGS})
  if(ORVEL_NO_EXCEPTIONS)
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)
  endif()
  if(ORVEL_NO_UNWIND_TABLES)
    # No exception ever passes through the product code, so the tables that
    # would let one unwind it are dead weight.
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:C,CXX>:-fno-asynchronous-unwind-tables>)
  endif()
  if(ORVEL_SECTION_GC)
    # Functions only: with -fdata-sections MinGW's GCC stores zero-filled
    # globals such as the installer state in the file instead of in .bss.
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:C,CXX>:-ffunction-sections>)
  endif()
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
endfunction()

# A Windows program that must run with nothing beside it: static runtimes,
# so that it imports system DLLs only.
function(orvel_release_binary target)
  orvel_product_code(${target})
  target_link_options(${target} PRIVATE -static -static-libgcc
    -static-libstdc++)
  if(ORVEL_SECTION_GC)
    target_link_options(${target} PRIVATE -Wl,--gc-sections)
  endif()
  if(ORVEL_STRIP)
    target_link_options(${target} PRIVATE -s)
  endif()
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
