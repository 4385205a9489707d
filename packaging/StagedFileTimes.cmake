# Run by cpack between staging and packing (CPACK_PRE_BUILD_SCRIPTS): every
# staged file and folder gets the time SOURCE_DATE_EPOCH, so that the zip and
# the installer (NSIS stores each file's time) do not carry the build's times.
if(NOT CPACK_VESPIRO_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  return()
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d "@${CPACK_VESPIRO_SOURCE_DATE_EPOCH}" ${staged} "${CPACK_TEMPORARY_DIRECTORY}"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not set the staged files' times")
endif()
