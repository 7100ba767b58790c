# The rule files: sources that include no Windows header and make no system
# call, so that they build natively too (sanitizers, fuzzing). This is the
# one list of them; a rule file that starts to need Windows leaves it.
# Paths are relative to the root of the repository.

set(ORVEL_RULE_SOURCES
  shell/start_up_rules.cpp        # the command-line scan
  shell/unattended_rules.cpp      # the unattended tail and its log lines
  shell/version_class.cpp
  shell/middle_shortening.cpp
  shell/main_window_layout.cpp
  shell/flow_messages.cpp         # message texts and the completion text
  shell/popup_menu.cpp
  engine/payload_name.cpp         # MapPayloadName
  engine/payload_table.cpp
  engine/payload_crc.cpp          # CRC-32 of the expanded payload
  engine/destination_rules.cpp    # normalisation and place checks
  engine/error_report_text.cpp
  engine/file_list_text.cpp
  shortcuts/match_file_name.cpp
  shortcuts/shortcut_script.cpp
  dialogs/agreement_rows.cpp      # the row rule of the agreement list
  dialogs/agreement_layout.cpp
  dialogs/browser_folder.cpp
  dialogs/help_rows.cpp           # row parsing of a help page
  dialogs/help_pages.cpp
  dialogs/message_table.cpp       # InsertAtLongestBlankRun
  tools/szdd/szdd_pack.cpp        # the packer the build runs
)

# The tests of those rules that use nothing but rule headers.
set(ORVEL_RULE_TESTS
  tests/shell/start_up_rules_test.cpp
  tests/shell/version_class_test.cpp
  tests/shell/middle_shortening_test.cpp
  tests/engine/destination_rules_test.cpp
  tests/shortcuts/match_file_name_test.cpp
  tests/shortcuts/shortcut_script_test.cpp
  tests/dialogs/agreement_rows_test.cpp
  tests/dialogs/browser_folder_test.cpp
  tests/dialogs/help_rows_test.cpp
  tests/dialogs/message_table_test.cpp
)
