vrx_add_test(NAME exchange_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/exchange/number_format_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exchange/text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exchange/work_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exchange/csv_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exchange/file_errors_test.cpp
  LIBS vrx_exchange)
