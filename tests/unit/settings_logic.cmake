# The logger settings dialog's rules, without a window.
vrx_add_test(NAME settings_logic_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_logic_test.cpp
  LIBS vrx_settings_logic)
