# Messages, file dialogs and status confirmations of the main window.
vrx_add_test(NAME gui_dialogs_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialog_log_test.cpp ${CMAKE_CURRENT_LIST_DIR}/file_dialogs_test.cpp
  LIBS vrx_mainframe vrx_sim)
