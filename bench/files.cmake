vrx_add_bench(NAME files_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/files_bench.cpp
  LIBS vrx_exchange vrx_recordings)
