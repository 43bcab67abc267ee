vrx_add_bench(NAME filter_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/filter_bench.cpp LIBS vrx_recordings)
