vrx_add_test(NAME gui_command_table_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/command_table_test.cpp
  LIBS vrx_mainframe vrx_sim)
