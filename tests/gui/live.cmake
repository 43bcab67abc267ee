vrx_add_test(NAME gui_live_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/live_test.cpp
  LIBS vrx_mainframe vrx_sim)
