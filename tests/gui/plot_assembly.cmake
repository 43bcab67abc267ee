vrx_add_test(NAME gui_plot_assembly_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/plot_assembly_test.cpp
  LIBS vrx_mainframe vrx_sim)
