# Names and roles of controls on the accessibility bus; used by the main window and the LCDs.
if(TARGET vrx_wx)
  add_library(vrx_accessible STATIC ${CMAKE_CURRENT_LIST_DIR}/Accessible.cpp)
  target_include_directories(vrx_accessible PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(vrx_accessible PUBLIC vrx_wx)
  if(TARGET PkgConfig::GTK3)
    target_link_libraries(vrx_accessible PRIVATE PkgConfig::GTK3)
  endif()
endif()
