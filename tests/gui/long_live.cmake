# A simulated day of live reading at 0.1 s, on the logger's virtual clock.
vrx_add_test(NAME gui_long_live_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/long_live_test.cpp
  LIBS vrx_mainframe vrx_sim)
