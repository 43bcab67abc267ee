vrx_add_test(NAME gui_styles_measure_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/styles_measure_test.cpp
  LIBS vrx_mainframe vrx_sim vrx_analysis)
