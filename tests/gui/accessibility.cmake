# Keyboard-only use and what the accessibility bus shows of the main window, in process.
vrx_add_test(NAME gui_keyboard_access_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/keyboard_access_test.cpp
  LIBS vrx_mainframe vrx_sim)
