# Every control transfer of the logger operations failed in turn, and the logger unplugged
# at every step.
vrx_add_test(NAME gui_fault_sweep_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fault_sweep_test.cpp
  LIBS vrx_mainframe vrx_sim)
