vrx_add_test(NAME gui_desktop_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/desktop_test.cpp
  LIBS vrx_mainframe vrx_sim)
