vespiro_wine_test(settings_tests SOURCES SettingsReaderTest.cpp LIBS settings)
target_include_directories(settings_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
