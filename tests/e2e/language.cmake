# Both programs on a German Windows (Wine takes the language from LC_ALL),
# with and without shutdown's Language setting.
vespiro_wine_test(e2e_language
  SOURCES LanguageE2eTest.cpp ${CMAKE_SOURCE_DIR}/tests/windows/ProgramManifest.rc
  LIBS e2e_harness
  ENVIRONMENT LC_ALL=de_DE.UTF-8)
target_include_directories(e2e_language PRIVATE ${CMAKE_BINARY_DIR}/gen/shutdown)
add_dependencies(e2e_language shutdown drowsel recording_shutdown_dll)
