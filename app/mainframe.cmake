# The main window. Its member functions live in the folder of the subject they belong to,
# each in a file named MainFrame<Subject>.cpp; they are listed and built together here into
# one library that the program and the GUI tests link.
add_library(vrx_mainframe STATIC
  ${CMAKE_SOURCE_DIR}/app/MainFrame.cpp
  ${CMAKE_SOURCE_DIR}/app/MainFrameCommands.cpp
  ${CMAKE_SOURCE_DIR}/app/MainFrameDesktop.cpp
  ${CMAKE_SOURCE_DIR}/recordings/MainFrameDeviceStatus.cpp
  ${CMAKE_SOURCE_DIR}/recordings/MainFrameDownload.cpp
  ${CMAKE_SOURCE_DIR}/recordings/MainFrameRecordingList.cpp
  ${CMAKE_SOURCE_DIR}/recordings/MainFrameRecordingSet.cpp
  ${CMAKE_SOURCE_DIR}/exchange/MainFrameWorkFile.cpp
  ${CMAKE_SOURCE_DIR}/exchange/MainFrameCsv.cpp
  ${CMAKE_SOURCE_DIR}/analysis/MainFramePlot.cpp
  ${CMAKE_SOURCE_DIR}/analysis/MainFrameFilter.cpp
  ${CMAKE_SOURCE_DIR}/analysis/MainFrameStyles.cpp
  ${CMAKE_SOURCE_DIR}/analysis/MainFrameMeasure.cpp
  ${CMAKE_SOURCE_DIR}/live/MainFrameLive.cpp
  ${CMAKE_SOURCE_DIR}/print/MainFramePrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wxVellButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusConfirmation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GaugeColours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToggleLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Translations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopLanguage.cpp)
target_include_directories(vrx_mainframe PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vrx_mainframe PUBLIC
  vrx_wx vrx_device vrx_settingsfile vrx_recordings vrx_exchange vrx_plot vrx_live_controls
  vrx_resources vrx_tips vrx_settings_dialog vrx_print vrx_analysis vrx_accessible PkgConfig::GTK3)

add_executable(vrx ${CMAKE_CURRENT_LIST_DIR}/Application.cpp)
target_link_libraries(vrx PRIVATE vrx_mainframe)
install(TARGETS vrx RUNTIME DESTINATION bin)
