# The settings file: wx-free, so it is tested without a display.
add_library(vrx_settingsfile STATIC ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp)
target_include_directories(vrx_settingsfile PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vrx_settingsfile PUBLIC vrx_device)
