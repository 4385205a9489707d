vespiro_wine_test(settings_tests SOURCES SettingsReaderTest.cpp LIBS settings test_kit)
