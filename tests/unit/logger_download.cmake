# The download without a window, through the real libusb against the simulated logger.
vrx_add_test(NAME logger_download_tests USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/recordings/logger_download_test.cpp
  LIBS vrx_recordings vrx_sim)
target_include_directories(logger_download_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
