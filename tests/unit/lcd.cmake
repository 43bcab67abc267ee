vrx_add_test(NAME lcd_layout_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/lcd_layout_test.cpp
             LIBS vrx_lcd_core)
