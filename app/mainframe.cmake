# The main window. Its member functions live in the folder of the subject they belong to,
# each in a file named MainFrame<Subject>.cpp; they are built together here into one
# library that the program and the GUI tests link.
file(GLOB _mainframe_parts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/*/MainFrame*.cpp)
add_library(vrx_mainframe STATIC
  ${_mainframe_parts}
  ${CMAKE_CURRENT_LIST_DIR}/wxVellButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusConfirmation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GaugeColours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToggleLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Translations.cpp)
target_include_directories(vrx_mainframe PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vrx_mainframe PUBLIC
  vrx_wx vrx_device vrx_settingsfile vrx_recordings vrx_exchange vrx_plot vrx_live_controls
  vrx_resources vrx_tips vrx_settings_dialog vrx_print vrx_analysis PkgConfig::GTK3)

add_executable(vrx ${CMAKE_CURRENT_LIST_DIR}/Application.cpp)
target_link_libraries(vrx PRIVATE vrx_mainframe)
install(TARGETS vrx RUNTIME DESTINATION bin)
