vrx_add_test(NAME gui_print_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/print_test.cpp
  LIBS vrx_mainframe vrx_sim vrx_print)
