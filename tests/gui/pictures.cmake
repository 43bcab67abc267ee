if(TARGET vrx_resources)
  vrx_add_test(NAME gui_pictures_tests GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/pictures_test.cpp LIBS vrx_resources)
endif()
