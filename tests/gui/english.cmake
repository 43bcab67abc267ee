vrx_add_test(NAME gui_english_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/english_test.cpp
  LIBS vrx_mainframe vrx_sim
  ENV LANG=en_US.UTF-8)
target_compile_definitions(gui_english_tests PRIVATE VRX_LOCALE_DIR="${VRX_LOCALE_DIR}")
add_dependencies(gui_english_tests vrx_catalogue)
