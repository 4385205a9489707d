; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; Polski (Polish): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_POLISH} "Wybór użytkowników"
LangString VespiroModeSubtitle ${LANG_POLISH} "Wybierz, dla których użytkowników zainstalować $(^NameDA)."
LangString VespiroModeTop ${LANG_POLISH} "Wybierz, czy chcesz zainstalować $(^NameDA) tylko dla siebie, czy dla wszystkich użytkowników tego komputera. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_POLISH} "Zainstaluj dla wszystkich użytkowników tego komputera"
LangString VespiroModeCurrentUser ${LANG_POLISH} "Zainstaluj tylko dla mnie"
LangString VespiroAllUsersDenied ${LANG_POLISH} "Twoje konto użytkownika nie ma wystarczających uprawnień, aby zainstalować $(^Name) dla wszystkich użytkowników tego komputera."
LangString VespiroMenuDrowsel ${LANG_POLISH} "Drowsel (hibernuj za 6 s)"
LangString VespiroMenuDrowselTip ${LANG_POLISH} "Hibernuje ten komputer około 6 sekund po uruchomieniu, chyba że klikniesz Anuluj."
LangString VespiroMenuVespiroTip ${LANG_POLISH} "Czasomierz zamykania systemu: odlicza czas, a potem wykonuje wybraną akcję."
