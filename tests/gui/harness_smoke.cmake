vrx_add_test(NAME gui_harness_tests GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/harness_smoke_test.cpp)
