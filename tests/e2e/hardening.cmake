# Hardening: a 10,000-tick soak, a read-only folder, bad settings and a seeded
# monkey through the real window, and the last tick inside a modal box.
vespiro_wine_test(e2e_hardening
  SOURCES HardeningSoakTest.cpp HardeningReadOnlyTest.cpp HardeningBadInputTest.cpp HardeningReentrancyTest.cpp
          ${PROJECT_SOURCE_DIR}/bench/ProcessProbe.cpp
  LIBS e2e_harness shell32 psapi)
target_include_directories(e2e_hardening PRIVATE ${PROJECT_SOURCE_DIR}/bench)
add_dependencies(e2e_hardening shutdown recording_shutdown_dll)
