# shutdown's dialog in-process, with its own templates and icon.
vespiro_wine_test(timerdlg_tests
  SOURCES TimerDlgTest.cpp ${PROJECT_SOURCE_DIR}/shutdown/shutdown.rc $<TARGET_OBJECTS:test_app>
  LIBS shutdown_dlg test_modal)
target_include_directories(timerdlg_tests PRIVATE ${PROJECT_SOURCE_DIR}/shell ${CMAKE_BINARY_DIR}/gen/shutdown)
set_source_files_properties(${PROJECT_SOURCE_DIR}/shutdown/shutdown.rc TARGET_DIRECTORY timerdlg_tests
  PROPERTIES OBJECT_DEPENDS "${VESPIRO_RC_DEPENDS_shutdown}")
# One test loads the recording library from its current folder.
add_dependencies(timerdlg_tests recording_shutdown_dll)
