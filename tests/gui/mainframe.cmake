vrx_add_test(NAME gui_mainframe_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainframe_test.cpp ${CMAKE_CURRENT_LIST_DIR}/device_status_test.cpp
  LIBS vrx_mainframe vrx_sim)
