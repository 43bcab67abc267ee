vrx_add_test(NAME recordings_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/recordings/storage_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordings/logger_memory_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordings/recording_list_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordings/recording_set_test.cpp
  LIBS vrx_recordings)
