# GoogleTest from Debian's sources, built with the MinGW compiler.
set(ORVEL_GTEST_SOURCE "/usr/src/googletest" CACHE PATH
    "GoogleTest sources (Debian's googletest package)")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory("${ORVEL_GTEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest"
                 EXCLUDE_FROM_ALL SYSTEM)
