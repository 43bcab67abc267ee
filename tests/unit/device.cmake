# The link to the logger, through the real libusb against the simulated logger.
vrx_add_test(NAME device_tests USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/device_transport_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/device_commands_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/device_settings_block_test.cpp
  LIBS vrx_device vrx_sim)
# The settings block arithmetic, the live block and the simulated logger's own behaviour.
vrx_add_test(NAME device_logic_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/device_conversions_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/sim_logger_test.cpp
  LIBS vrx_device vrx_sim_logger)
vrx_add_test(NAME settingsfile_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_file_test.cpp
  LIBS vrx_settingsfile)
