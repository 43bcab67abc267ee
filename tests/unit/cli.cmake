# vrx-cli against the simulated logger, in process and as the real program.
if(TARGET vrx-cli AND TARGET vrx_sim)
  vrx_add_test(NAME cli_tests USB
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/cli/cli_test.cpp
    LIBS vrx_cli_core vrx_sim)
  target_include_directories(cli_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(cli_tests PRIVATE VRX_CLI_PATH="$<TARGET_FILE:vrx-cli>")
  add_dependencies(cli_tests vrx-cli)

  # The command-line program must run where no desktop is installed.
  add_test(NAME cli_links_no_wx
    COMMAND sh -c "! readelf -d \"$<TARGET_FILE:vrx-cli>\" | grep -i 'NEEDED.*wx'")
endif()
