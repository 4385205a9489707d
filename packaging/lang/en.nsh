; English, the fallback: the installer's own texts (the page that asks for whom to
; install, and its message). Each language has a file like this one, with the
; same names; scripts/checks/package compares them.
LangString VespiroModeTitle ${LANG_ENGLISH} "Choose Users"
LangString VespiroModeSubtitle ${LANG_ENGLISH} "Choose for which users you want to install $(^NameDA)."
LangString VespiroModeTop ${LANG_ENGLISH} "Select whether you want to install $(^NameDA) only for yourself or for all users of this computer. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_ENGLISH} "Install for anyone using this computer"
LangString VespiroModeCurrentUser ${LANG_ENGLISH} "Install just for me"
LangString VespiroAllUsersDenied ${LANG_ENGLISH} "Your user account does not have sufficient privileges to install $(^Name) for all users of this computer."
