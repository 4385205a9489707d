# Hardening: a 10,000-tick soak, a read-only folder, bad settings and a seeded
# monkey through the real window, and the last tick inside a modal box.
vespiro_wine_test(e2e_hardening
  SOURCES HardeningSoakTest.cpp HardeningReadOnlyTest.cpp HardeningBadInputTest.cpp HardeningReentrancyTest.cpp
          ${PROJECT_SOURCE_DIR}/bench/ProcessProbe.cpp
  LIBS e2e_harness shell32 psapi
  # The monkey's 2,000 events took from 28 s to 155 s here, as the load from
  # other runs on the two cores rose: 120 s would cut it off as if it hung.
  TIMEOUT 300)
target_include_directories(e2e_hardening PRIVATE ${PROJECT_SOURCE_DIR}/bench)
add_dependencies(e2e_hardening shutdown recording_shutdown_dll)
