# The logger settings dialog with the simulated logger in process.
if(TARGET vrx_settings_dialog AND TARGET vrx_sim)
  vrx_add_test(NAME gui_settings_dialog_tests GUI USB
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_test.cpp
    LIBS vrx_settings_dialog vrx_sim)
endif()
