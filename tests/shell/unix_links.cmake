# The unattended log's test makes links at the log's name with the helpers
# of the walker's tests (on Wine's Unix side where it runs under Wine).
target_sources(shell_test PRIVATE
  "${CMAKE_CURRENT_LIST_DIR}/../shortcuts/walker_test_support.cpp")
