vrx_add_test(NAME live_recording_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/recordings/live_recording_test.cpp
  LIBS vrx_recordings)
