; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; Español (Spanish): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_SPANISH} "Elegir usuarios"
LangString VespiroModeSubtitle ${LANG_SPANISH} "Elija para qué usuarios desea instalar $(^NameDA)."
LangString VespiroModeTop ${LANG_SPANISH} "Seleccione si desea instalar $(^NameDA) solo para usted o para todos los usuarios de este equipo. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_SPANISH} "Instalar para todos los usuarios de este equipo"
LangString VespiroModeCurrentUser ${LANG_SPANISH} "Instalar solo para mí"
LangString VespiroAllUsersDenied ${LANG_SPANISH} "Su cuenta de usuario no tiene permisos suficientes para instalar $(^Name) para todos los usuarios de este equipo."
LangString VespiroMenuDrowsel ${LANG_SPANISH} "Drowsel (hibernar en 6 s)"
LangString VespiroMenuDrowselTip ${LANG_SPANISH} "Hiberna este equipo unos 6 segundos después de iniciarse, a menos que pulse Cancelar."
LangString VespiroMenuVespiroTip ${LANG_SPANISH} "El temporizador de apagado: cuenta atrás y después realiza la acción elegida."
