if(TARGET vrx_tips)
  vrx_add_test(NAME gui_tips_tests GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tips_test.cpp LIBS vrx_tips)
endif()
