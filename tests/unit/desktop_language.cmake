vrx_add_test(NAME desktop_language_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/desktop_language_test.cpp ${PROJECT_SOURCE_DIR}/app/DesktopLanguage.cpp
  LIBS)
target_include_directories(desktop_language_tests PRIVATE ${PROJECT_SOURCE_DIR})
