# Startup tips: wx-free line breaking and tip texts, and the dialog.
add_library(vrx_tiptext STATIC ${CMAKE_CURRENT_LIST_DIR}/TipText.cpp ${CMAKE_CURRENT_LIST_DIR}/TipText.h)
target_include_directories(vrx_tiptext PUBLIC ${CMAKE_CURRENT_LIST_DIR})

if(TARGET vrx_wx AND TARGET vrx_resources)
  add_library(vrx_tips STATIC ${CMAKE_CURRENT_LIST_DIR}/TipsDialog.cpp ${CMAKE_CURRENT_LIST_DIR}/TipsDialog.h)
  target_include_directories(vrx_tips PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(vrx_tips PUBLIC vrx_wx vrx_resources vrx_tiptext)
endif()
