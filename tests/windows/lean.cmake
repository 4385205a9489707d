# The programs and the library stay lean whichever compiler built them: each
# under its size limit, importing only the system DLLs it always did (any
# other is loaded at run time). Run with -P, this file is that check. The
# limits hold for the tools of the cross-build; a native build on Windows,
# with another GCC and C runtime, has its sizes printed, not judged.
if(CMAKE_SCRIPT_MODE_FILE)
  file(SIZE ${FILE} size)
  if(LIMIT AND size GREATER LIMIT)
    message(FATAL_ERROR "${FILE} is ${size} bytes, over ${LIMIT}")
  endif()
  execute_process(COMMAND ${OBJDUMP} -p ${FILE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${FILE} failed")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${dump}")
  list(TRANSFORM dlls REPLACE "DLL Name: " "")
  string(REPLACE "," ";" expected "${IMPORTS}")
  foreach(list dlls expected)
    list(TRANSFORM ${list} TOUPPER)
    list(SORT ${list})
  endforeach()
  if(NOT dlls STREQUAL expected)
    message(FATAL_ERROR "${FILE} imports ${dlls}\nexpected: ${expected}")
  endif()
  # What a section merged away would lose unseen (cmake/lean-pe.ld): the
  # unwind table and the TLS directory of the start-up code.
  foreach(dir Exception "Thread Storage")
    if(NOT dump MATCHES "Entry [0-9a-f] [0-9a-f]+ 0*[1-9a-f][0-9a-f]* ${dir} Directory")
      message(FATAL_ERROR "${FILE} has no ${dir} Directory")
    endif()
  endforeach()
  message(STATUS "${FILE}: ${size} bytes, imports ${dlls}")
  return()
endif()

set(program_limit "")
set(library_limit "")
if(CMAKE_CROSSCOMPILING)
  set(program_limit 65536)
  set(library_limit 32768)
endif()
foreach(program shutdown drowsel)
  add_test(NAME Lean.${program}.exe
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DFILE=$<TARGET_FILE:${program}> -DLIMIT=${program_limit}
                   -DIMPORTS=COMCTL32.dll,KERNEL32.dll,msvcrt.dll,USER32.dll -P ${CMAKE_CURRENT_LIST_FILE})
endforeach()
add_test(NAME Lean.Shutdown.dll
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DFILE=$<TARGET_FILE:powerlib> -DLIMIT=${library_limit}
                 -DIMPORTS=ADVAPI32.dll,KERNEL32.dll,msvcrt.dll,POWRPROF.dll,USER32.dll -P ${CMAKE_CURRENT_LIST_FILE})
