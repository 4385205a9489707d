; English, the fallback: the installer's own texts (the page that asks for whom to
; install, and its message; the Start menu's entries, whose names must make
; valid file names and begin with "Drowsel"). Each language has a file like
; this one, with the same names; scripts/checks/package compares them.
LangString VespiroModeTitle ${LANG_ENGLISH} "Choose Users"
LangString VespiroModeSubtitle ${LANG_ENGLISH} "Choose for which users you want to install $(^NameDA)."
LangString VespiroModeTop ${LANG_ENGLISH} "Select whether you want to install $(^NameDA) only for yourself or for all users of this computer. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_ENGLISH} "Install for anyone using this computer"
LangString VespiroModeCurrentUser ${LANG_ENGLISH} "Install just for me"
LangString VespiroAllUsersDenied ${LANG_ENGLISH} "Your user account does not have sufficient privileges to install $(^Name) for all users of this computer."
LangString VespiroMenuDrowsel ${LANG_ENGLISH} "Drowsel (hibernates in 6 s)"
LangString VespiroMenuDrowselTip ${LANG_ENGLISH} "Hibernates this computer about 6 seconds after it starts, unless you press Cancel."
LangString VespiroMenuVespiroTip ${LANG_ENGLISH} "The shutdown timer: counts down, then carries out the action you chose."
