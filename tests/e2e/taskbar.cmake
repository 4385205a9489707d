# Both programs with Wine's taskbar list and with none that can be created.
vespiro_wine_test(e2e_taskbar SOURCES TaskbarE2eTest.cpp LIBS e2e_harness shell32)
add_dependencies(e2e_taskbar shutdown drowsel recording_shutdown_dll)
