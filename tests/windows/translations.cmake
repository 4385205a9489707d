# The translations in the built programs and library: complete, laid out as
# English, and fitting their controls at 96 and 144 dpi.
vespiro_wine_test(translations_tests
  SOURCES TranslationsTest.cpp ProgramManifest.rc
  LIBS shell test_kit advapi32
  RUN_SERIAL)
target_include_directories(translations_tests PRIVATE ${CMAKE_BINARY_DIR}/gen/shutdown)
add_dependencies(translations_tests shutdown drowsel powerlib)
