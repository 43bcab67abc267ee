# Keyboard-only use and what the accessibility bus shows of the main window, in process.
vrx_add_test(NAME gui_keyboard_access_tests GUI USB
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/keyboard_access_test.cpp
  LIBS vrx_mainframe vrx_sim)

# The real program beside the demo logger, read and driven over the accessibility bus
# (AT-SPI) by a python script: the system python, where Debian's pyatspi lives.
find_program(VRX_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(VRX_DBUS_RUN_SESSION dbus-run-session)
find_program(VRX_XDOTOOL xdotool)
set(_atspi_ok FALSE)
if(VRX_SYSTEM_PYTHON AND VRX_DBUS_RUN_SESSION AND VRX_XDOTOOL AND TARGET vrx AND TARGET vrx-sim-launch)
  execute_process(COMMAND ${VRX_SYSTEM_PYTHON} -c "import pyatspi" RESULT_VARIABLE _atspi_import
                  OUTPUT_QUIET ERROR_QUIET)
  if(_atspi_import EQUAL 0)
    set(_atspi_ok TRUE)
  endif()
endif()
if(_atspi_ok)
  # -noreset: the X server resets when its last client goes (the test's xdotool probe), and a
  # program connecting during the reset is refused.
  foreach(_case IN ITEMS AccessibleWindow KeyboardOnly)
    add_test(NAME gui_atspi_${_case}
      COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ${VRX_DBUS_RUN_SESSION} --
              ${VRX_SYSTEM_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/atspi/vrx_atspi_test.py
              --vrx $<TARGET_FILE:vrx> --launcher $<TARGET_FILE:vrx-sim-launch> ${_case})
    set_tests_properties(gui_atspi_${_case} PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE
      ENVIRONMENT "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0"
      # The names read over the bus are the German ones, whatever the machine's language.
      ENVIRONMENT_MODIFICATION "LANGUAGE=unset:;LC_ALL=unset:;LC_MESSAGES=unset:;LANG=set:C")
  endforeach()
else()
  message(WARNING "AT-SPI tests left out: they need /usr/bin/python3 with pyatspi, dbus-run-session and xdotool "
                  "(scripts/deps.sh installs them)")
endif()
