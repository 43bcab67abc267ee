# German texts left unmarked in the window's and the core's sources (po/find-unmarked.py).
if(VRX_TEXT_SOURCES)
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  add_test(NAME unmarked_texts COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/po/find-unmarked.py ${VRX_TEXT_SOURCES})
endif()
