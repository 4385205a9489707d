# The shell in-process: shutdown's resources (ShellTest.rc includes its .rc,
# which finds the icon through shell/ and the manifest through gen/shutdown/),
# and the built programs' and library's version resources.
vespiro_wine_test(shell_tests
  SOURCES ShellAboutTest.cpp ShellVersionTest.cpp ShellTest.rc
  LIBS shell version e2e_harness test_modal shell32)
target_include_directories(shell_tests PRIVATE ${CMAKE_SOURCE_DIR}/shell ${CMAKE_BINARY_DIR}/gen/shutdown)
set_source_files_properties(ShellTest.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/shutdown/shutdown.rc;${VESPIRO_RC_DEPENDS_shutdown}")
add_dependencies(shell_tests shutdown drowsel powerlib recording_shutdown_dll)
# What the manifests and the library must carry: the release's version.
target_compile_definitions(shell_tests PRIVATE VESPIRO_FILE_VERSION="${VESPIRO_FILE_VERSION}")
