# drowsel's window in-process, with the program's own dialog templates. A
# subclass stands in for the system's timer so a refusal can be staged.
vespiro_wine_test(hibernatedlg_tests
  SOURCES HibernateDlgTest.cpp ${CMAKE_SOURCE_DIR}/drowsel/drowsel.rc $<TARGET_OBJECTS:test_app>
  LIBS drowsel_dlg test_modal)
target_include_directories(hibernatedlg_tests PRIVATE ${CMAKE_SOURCE_DIR}/shell ${CMAKE_BINARY_DIR}/gen/drowsel)
add_dependencies(hibernatedlg_tests partial_shutdown_dll)
set_source_files_properties(${CMAKE_SOURCE_DIR}/drowsel/drowsel.rc TARGET_DIRECTORY hibernatedlg_tests
  PROPERTIES OBJECT_DEPENDS "${VESPIRO_RC_DEPENDS_drowsel}")
