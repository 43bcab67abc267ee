vrx_add_test(NAME memory_status_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/memory_status_test.cpp
  LIBS vrx_recordings)
