// A property that every input must keep: a violation stops the fuzzer
// with the failed condition, so libFuzzer saves the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define PROPERTY(condition)                                                    \
  do {                                                                         \
    if (!(condition)) {                                                        \
      fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,      \
              #condition);                                                     \
      abort();                                                                 \
    }                                                                          \
  } while (0)
