# Shutdown.dll: its code in-process with the system calls replaced, and the
# built DLL's export table. Run with -P, this file is that export check.
if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
  endif()
  string(FIND "${dump}" "[Ordinal/Name Pointer] Table" at)
  if(at LESS 0)
    message(FATAL_ERROR "${DLL} exports nothing")
  endif()
  string(SUBSTRING "${dump}" ${at} -1 dump)
  string(REGEX REPLACE "\n[ \t]*\n.*" "" dump "${dump}")  # up to the first blank line
  # Rows look like "\t[   0] Hibernate".
  string(REGEX MATCHALL "[[] *[0-9]+[]] [^\n]+" names "${dump}")
  list(TRANSFORM names REPLACE "^[[] *[0-9]+[]] " "")
  list(SORT names)
  set(expected Hibernate Hibernate_Force LogOff LogOff_Force Reboot Reboot_Force
               Shutdown Shutdown_Force Suspend Suspend_Force)
  if(NOT names STREQUAL expected)
    message(FATAL_ERROR "exports: ${names}\nexpected: ${expected}")
  endif()
  message(STATUS "exactly the ten entries: ${names}")
  return()
endif()

# With the programs' manifest and their choice of language: the library
# speaks the language the program chose.
vespiro_wine_test(powerlib_tests
  SOURCES PowerLibTest.cpp ProgramManifest.rc ${CMAKE_SOURCE_DIR}/shell/LanguageChoice.cpp
  LIBS powerlib_code test_kit uilanguages)
target_include_directories(powerlib_tests PRIVATE ${CMAKE_BINARY_DIR}/gen/shutdown)
add_dependencies(powerlib_tests shutdown)
add_test(NAME PowerLib.ExportsExactlyTheTenEntries
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DDLL=$<TARGET_FILE:powerlib>
                 -P ${CMAKE_CURRENT_LIST_FILE})
