# The framework layer in a live dialog of its own (FrameworkTest.rc).
vespiro_wine_test(framework_tests
  SOURCES FrameworkTestDlg.cpp FrameworkDataExchangeTest.cpp FrameworkDialogTest.cpp FrameworkTest.rc
          $<TARGET_OBJECTS:test_app>
  LIBS framework test_modal)
