# The full-memory download through the simulated logger, in the window and without it.
# Needs a display and the emulated USB bus:
#   xvfb-run -a -s "-screen 0 1280x1024x24" env LD_PRELOAD=libumockdev-preload.so.0 build/bench/download_bench
if(TARGET vrx_mainframe AND TARGET vrx_sim)
  vrx_add_bench(NAME download_bench GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/download_bench.cpp
                LIBS vrx_mainframe vrx_sim)
endif()
