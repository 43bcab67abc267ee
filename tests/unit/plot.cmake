vrx_add_test(NAME plot_core_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/plot_core_test.cpp
             LIBS vrx_plot_core)
