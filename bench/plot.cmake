# Painting the flow view with pressure on the right-hand axis; runs under xvfb-run by hand:
#   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/plot_paint_bench
if(TARGET vrx_plot)
  vrx_add_bench(NAME plot_paint_bench GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/plot_paint_bench.cpp
                LIBS vrx_plot)
endif()
