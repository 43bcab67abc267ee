# vrx_add_test(NAME n SOURCES ... LIBS ... [USB] [GUI] [ENV VAR=value ...])
#   USB: the test holds an emulated USB bus in process (umockdev preload).
#   GUI: the test opens real windows; it runs under xvfb-run, in the neutral language (German
#        texts) whatever the machine's desktop language is, unless ENV says otherwise.
function(vrx_add_test)
  cmake_parse_arguments(T "USB;GUI" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest)
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE vrx_gui_harness)
  else()
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  set(cmd $<TARGET_FILE:${T_NAME}>)
  if(T_USB)
    set(cmd env LD_PRELOAD=$<TARGET_FILE:vrx_sim_denyopen>:libumockdev-preload.so.0 ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1 ${cmd})
  endif()
  if(T_GUI)
    set(cmd xvfb-run -a -s "-screen 0 1280x1024x24" ${cmd})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${cmd})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 900)
  if(T_GUI)
    # Windows wait on the X server; two at a time on two cores make timing flaky.
    set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(VRX_SANITIZE)
    # Leaks inside the toolkit's and the system's libraries are theirs, not ours.
    set_property(TEST ${T_NAME} APPEND PROPERTY ENVIRONMENT
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
  if(T_GUI)
    # Texts compared in the tests are the German ones; the C locale, as on a bare CI machine.
    set_property(TEST ${T_NAME} APPEND PROPERTY ENVIRONMENT_MODIFICATION
      LANGUAGE=unset: LC_ALL=unset: LC_MESSAGES=unset: LANG=set:C)
  endif()
  foreach(assignment IN LISTS T_ENV)
    string(REGEX REPLACE "^([^=]+)=(.*)$" "\\1=set:\\2" modification "${assignment}")
    set_property(TEST ${T_NAME} APPEND PROPERTY ENVIRONMENT_MODIFICATION "${modification}")
  endforeach()
endfunction()

# vrx_add_bench(NAME n SOURCES ... LIBS ... [USB] [GUI])
function(vrx_add_bench)
  cmake_parse_arguments(B "USB;GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  if(NOT B_GUI)
    target_link_libraries(${B_NAME} PRIVATE benchmark::benchmark_main)
  endif()
endfunction()
