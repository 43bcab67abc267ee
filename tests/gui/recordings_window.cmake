# The recording list, the filter, the download and the file commands of the main window.
vrx_add_test(NAME gui_recordings_window_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/recording_list_window_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/filter_window_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/download_window_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/workfile_window_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/csv_window_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/recording_flows_test.cpp
  LIBS vrx_mainframe vrx_sim)
