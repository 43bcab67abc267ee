vrx_add_bench(NAME live_growth_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/live_growth_bench.cpp LIBS vrx_recordings)
