# The browser tests need a drive d: that is a plain folder; Wine's drives
# are the links in the prefix's dosdevices folder.
if(CMAKE_CROSSCOMPILING AND TARGET dialogs_test)
  set(drive_d "${ORVEL_WINE_PREFIX}/drive_c/orvel-tests/drive-d")
  add_test(NAME dialogs_drive_d
    COMMAND sh -c "mkdir -p '${drive_d}' && ln -sfn '${drive_d}' '${ORVEL_WINE_PREFIX}/dosdevices/d:'")
  set_tests_properties(dialogs_drive_d PROPERTIES
    FIXTURES_SETUP dialogs_drive_d FIXTURES_REQUIRED wine)
  set_tests_properties(dialogs_test PROPERTIES
    FIXTURES_REQUIRED "wine;dialogs_drive_d")
endif()
