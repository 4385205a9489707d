# The packages for Windows users, made by cpack (scripts/package puts them in
# dist/): a portable zip and an installer (NSIS, from packaging/).
install(PROGRAMS $<TARGET_FILE:shutdown> $<TARGET_FILE:drowsel> $<TARGET_FILE:powerlib> DESTINATION .)
# README.txt names the project's page: the GitHub repository of the origin
# remote, the rule the winget manifest follows for its URLs. VESPIRO_REPOSITORY
# stands in for the remote (empty: none), as in a copy of the sources.
if(DEFINED ENV{VESPIRO_REPOSITORY})
  set(_origin "$ENV{VESPIRO_REPOSITORY}")
else()
  execute_process(COMMAND git remote get-url origin WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE _origin OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
string(REGEX REPLACE "/$" "" _origin "${_origin}")
string(REGEX REPLACE "\\.git$" "" _origin "${_origin}")
if(_origin MATCHES "^(https://|ssh://git@|git@)github\\.com[/:]([A-Za-z0-9_.-]+/[A-Za-z0-9_.-]+)$")
  set(VESPIRO_PROJECT_URL "https://github.com/${CMAKE_MATCH_2}")
else()
  set(VESPIRO_PROJECT_URL "not recorded (built from a checkout without a GitHub origin)")
endif()
# Text for Notepad: Windows line ends.
foreach(doc README.txt shutdown.ini.example)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/${doc} ${CMAKE_BINARY_DIR}/packaging/${doc} @ONLY NEWLINE_STYLE WIN32)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${doc} DESTINATION .)
endforeach()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Vespiro)
set(CPACK_PACKAGE_VENDOR "The Vespiro developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Countdown to sleep, hibernate, shut down, log off or restart")
set(CPACK_PACKAGE_FILE_NAME vespiro-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Vespiro)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Vespiro)
set(CPACK_NSIS_PACKAGE_NAME "Vespiro ${PROJECT_VERSION}")
# The uninstall entry's name: the winget listing's PackageName, the version
# being in DisplayVersion.
set(CPACK_NSIS_DISPLAY_NAME "${CPACK_PACKAGE_NAME}")
# The programs' icon for the setup program and the uninstaller.
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/shell/res/vespiro.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/shell/res/vespiro.ico)
# The installer's own texts, one file per language, for the languages of
# packaging/languages.txt in its order: a line each in the template.
set(CPACK_VESPIRO_LANG_DIR ${CMAKE_SOURCE_DIR}/packaging/lang)
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/languages.txt _languages REGEX "^[^#]")
set(CPACK_VESPIRO_LANGUAGES "")
foreach(_language IN LISTS _languages)
  string(REGEX REPLACE "^([^ ]+) +[^ ]+ +([^ ]+).*$" "  !insertmacro VESPIRO_LANGUAGE \\2 \\1\n" _language "${_language}")
  string(APPEND CPACK_VESPIRO_LANGUAGES "${_language}")
endforeach()
# Reproducible packages: the staged files get the time the PE files carry.
set(CPACK_VESPIRO_SOURCE_DATE_EPOCH "${_epoch}")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/StagedFileTimes.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/CPackOptions.cmake)
# Our NSIS.template.in comes before CPack's own.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging)
include(CPack)
