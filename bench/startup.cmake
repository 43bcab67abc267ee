# Start-up to the main window, timed by bench/startup_time.sh under Xvfb beside the simulated
# logger: map_wait starts a program and waits for its window's map event; startup_empty is
# the plain way (an empty frame of the same toolkit) timed in the same run.
find_package(X11)
if(TARGET vrx_wx AND X11_FOUND)
  add_executable(map_wait ${CMAKE_CURRENT_LIST_DIR}/map_wait.c)
  target_link_libraries(map_wait PRIVATE X11::X11)
  add_executable(startup_empty ${CMAKE_CURRENT_LIST_DIR}/startup_empty.cpp)
  target_link_libraries(startup_empty PRIVATE vrx_wx)
endif()

# Decoding the pictures, the program's reader against wx's XPM reader; needs a display:
#   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/pictures_bench
if(TARGET vrx_resources)
  vrx_add_bench(NAME pictures_bench GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/pictures_bench.cpp LIBS vrx_resources)
endif()
