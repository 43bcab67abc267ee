# One live tick on a long live recording. Needs a display and the emulated USB bus:
#   xvfb-run -a -s "-screen 0 1280x1024x24" env LD_PRELOAD=libumockdev-preload.so.0 build/bench/live_tick_bench
if(TARGET vrx_mainframe AND TARGET vrx_sim)
  vrx_add_bench(NAME live_tick_bench GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/live_tick_bench.cpp
                LIBS vrx_mainframe vrx_sim)
endif()
