vrx_add_test(NAME gui_translations_tests GUI
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/translations_test.cpp
  LIBS vrx_mainframe)
target_compile_definitions(gui_translations_tests PRIVATE VRX_LOCALE_DIR="${VRX_LOCALE_DIR}")
add_dependencies(gui_translations_tests vrx_catalogue)
