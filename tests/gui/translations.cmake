vrx_add_test(NAME gui_translations_tests GUI
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/translations_test.cpp
  LIBS vrx_mainframe)
