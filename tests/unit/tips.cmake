vrx_add_test(NAME tips_text_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/tips_text_test.cpp LIBS vrx_tiptext)
