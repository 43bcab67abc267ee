# Support library for every GUI test program: main(), log capture, dialog hooks.
add_library(vrx_gui_harness STATIC ${CMAKE_CURRENT_LIST_DIR}/harness/GuiTestMain.cpp)
target_include_directories(vrx_gui_harness PUBLIC ${CMAKE_CURRENT_LIST_DIR}/harness)
target_link_libraries(vrx_gui_harness PUBLIC vrx_wx GTest::gtest PkgConfig::GTK3)
