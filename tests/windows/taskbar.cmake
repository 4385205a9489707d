# shutdown's taskbar button bar in-process, through the dialog's seam.
vespiro_wine_test(taskbar_tests
  SOURCES TaskbarProgressTest.cpp ${CMAKE_SOURCE_DIR}/shutdown/shutdown.rc $<TARGET_OBJECTS:test_app>
  LIBS shutdown_dlg test_modal)
target_include_directories(taskbar_tests PRIVATE ${CMAKE_SOURCE_DIR}/shell ${CMAKE_BINARY_DIR}/gen/shutdown
  ${CMAKE_SOURCE_DIR}/tests/support)
