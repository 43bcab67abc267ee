vrx_add_test(NAME lcd_display_tests GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/lcd_display_test.cpp
             LIBS vrx_live_controls)
