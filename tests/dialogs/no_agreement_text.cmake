# A resource module like the installer's own, but without the agreement
# text, for the agreement dialog's missing-text rows.
if(TARGET dialogs_test)
  add_library(no_agreement_text MODULE
    "${CMAKE_CURRENT_LIST_DIR}/no_text/no_agreement_text.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/no_text/no_agreement_text.rc")
  target_include_directories(no_agreement_text PRIVATE
    "${PROJECT_SOURCE_DIR}/resources" "${PAYLOAD_DIR}")
  set_target_properties(no_agreement_text PROPERTIES PREFIX "")
  add_dependencies(no_agreement_text payload)
  add_dependencies(dialogs_test no_agreement_text)
  orvel_windows_path(no_text_path
    "${CMAKE_CURRENT_BINARY_DIR}/no_agreement_text.dll")
  target_compile_definitions(dialogs_test PRIVATE
    NO_AGREEMENT_TEXT_MODULE="${no_text_path}")
endif()
