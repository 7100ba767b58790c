# Compiler and linker settings shared by every target of the installer.

set(ORVEL_WARNINGS -Wall -Wextra)

# The size measures of the shipped programs. Each can be switched off, so
# that bench/ can build the installer without it and show what it saves.
option(ORVEL_SECTION_GC "Drop unused functions when linking" ON)
option(ORVEL_NO_EXCEPTIONS "Product code without exceptions and RTTI" ON)
option(ORVEL_NO_UNWIND_TABLES
  "Product code without unwind tables, which nothing of it needs" ON)
option(ORVEL_STRIP "Strip the symbol table of the shipped programs" ON)
option(ORVEL_OWN_ENTRY
  "The shipped programs start at an entry point of our own, without MinGW's start-up code"
  ON)
option(ORVEL_LEAN_FRAMES
  "Product code without frame pointers, stack realignment or stack probes"
  ON)
option(ORVEL_OZ "Product code compiled with -Oz" ON)
option(ORVEL_LTO "Product code optimised as a whole when linking" ON)
# Not a size measure: a mitigation, switched off only to measure its cost.
option(ORVEL_STACK_COOKIES
  "A stack cookie in every function of product code that holds a buffer" ON)

if(ORVEL_LTO)
  include(CheckIPOSupported)
  check_ipo_supported(LANGUAGES C CXX)
endif()

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
  if(ORVEL_LEAN_FRAMES)
    orvel_lean_frames(${target})
  endif()
  if(ORVEL_OZ)
    # Measured: a function called once is smaller left where it is than
    # inlined into the large window and dialog procedures.
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:
      -Oz -fno-inline-functions-called-once>)
  endif()
  if(ORVEL_LTO)
    set_target_properties(${target} PROPERTIES INTERPROCEDURAL_OPTIMIZATION ON)
    # The C functions that GCC knows as built-ins stay out of the symbol
    # table of its intermediate code; the linker then meets their import
    # stubs only after the whole-program step, and without MinGW's start-up
    # code (which refers to them early) ld crashes while writing the
    # relocations. As plain functions they are listed in time.
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:C,CXX>:-fno-builtin>)
  endif()
  if(ORVEL_STACK_COOKIES)
    # Compiling only: on the link line the flag would bring in GCC's libssp,
    # whose guard and failure state/stack_guard.cpp replaces.
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>)
  endif()
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
endfunction()

# Smaller calls and frames: arguments are pushed rather than stored, and
# no frame pointer is kept. GCC stores arguments only so that it can probe
# the stack below large frames; without probes, a frame larger than the
# 4 KB guard page that grows the stack could step over it, so such a frame
# fails the build instead (and no variable-length arrays). Windows on x86
# promises 4-byte stack alignment only; asking for 16 costs code in every
# function and nothing here needs it.
function(orvel_lean_frames target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:
    -fomit-frame-pointer -mno-stack-arg-probe -Werror=frame-larger-than=4000
    -Werror=vla>)
  # With link-time optimisation the frames are laid out when linking, and
  # every program that links this code checks them there.
  target_link_options(${target} PUBLIC -Werror=frame-larger-than=4000)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^i.86$")
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:C,CXX>:-mpreferred-stack-boundary=2>)
  endif()
endfunction()

# A Windows program that must run with nothing beside it: static runtimes,
# so that it imports system DLLs only.
function(orvel_release_binary target)
  orvel_product_code(${target})
  target_link_options(${target} PRIVATE -static -static-libgcc
    -static-libstdc++)
  target_link_libraries(${target} PRIVATE stack_guard)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^i.86$")
    # Nothing in the program registers an exception handler (no MinGW
    # start-up code, no exceptions, no __try1): declaring so makes Windows
    # refuse any handler that an overrun would plant in it.
    target_link_options(${target} PRIVATE -Wl,--no-seh)
  endif()
  if(ORVEL_OWN_ENTRY)
    target_sources(${target} PRIVATE
      "${PROJECT_SOURCE_DIR}/shell/entry_point.cpp")
    target_link_options(${target} PRIVATE -nostartfiles)
    if(ORVEL_LTO AND NOT ORVEL_LEAN_FRAMES)
      # The stack probe is a libgcc helper that only the whole-program
      # step calls; named early, so that ld does not crash (see -fno-builtin).
      target_link_options(${target} PRIVATE -Wl,-u,___chkstk_ms)
    endif()
  endif()
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
