vrx_add_bench(NAME live_growth_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/live_growth_bench.cpp LIBS vrx_recordings)
# The long-run check: a simulated week of live reading through the window (several minutes):
#   xvfb-run -a -s "-screen 0 1280x1024x24" env LD_PRELOAD=libumockdev-preload.so.0 build/bench/live_week_bench
if(TARGET vrx_mainframe AND TARGET vrx_sim)
  vrx_add_bench(NAME live_week_bench GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/live_week_bench.cpp
                LIBS vrx_mainframe vrx_sim)
endif()
