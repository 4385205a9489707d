# shutdown's window in-process, watching its requests to keep the machine awake.
vespiro_wine_test(keepawake_tests
  SOURCES KeepAwakeTest.cpp ${CMAKE_SOURCE_DIR}/shutdown/shutdown.rc $<TARGET_OBJECTS:test_app>
  LIBS shutdown_dlg test_modal)
target_include_directories(keepawake_tests PRIVATE ${CMAKE_SOURCE_DIR}/shell ${CMAKE_BINARY_DIR}/gen/shutdown)
