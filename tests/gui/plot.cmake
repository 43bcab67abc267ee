if(TARGET vrx_plot)
  vrx_add_test(NAME plot_window_tests GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/plot_window_test.cpp
               LIBS vrx_plot)
endif()
