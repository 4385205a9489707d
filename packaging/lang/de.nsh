; Terms checked against Windows' own. Not yet reviewed by a native speaker.
; Deutsch (German): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_GERMAN} "Benutzer auswählen"
LangString VespiroModeSubtitle ${LANG_GERMAN} "Wählen Sie, für welche Benutzer $(^NameDA) installiert werden soll."
LangString VespiroModeTop ${LANG_GERMAN} "Wählen Sie, ob Sie $(^NameDA) nur für sich selbst oder für alle Benutzer dieses Computers installieren möchten. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_GERMAN} "Für alle Benutzer dieses Computers installieren"
LangString VespiroModeCurrentUser ${LANG_GERMAN} "Nur für mich installieren"
LangString VespiroAllUsersDenied ${LANG_GERMAN} "Ihr Benutzerkonto hat nicht die nötigen Rechte, um $(^Name) für alle Benutzer dieses Computers zu installieren."
LangString VespiroMenuDrowsel ${LANG_GERMAN} "Drowsel (Ruhezustand in 6 s)"
LangString VespiroMenuDrowselTip ${LANG_GERMAN} "Versetzt diesen Computer etwa 6 Sekunden nach dem Start in den Ruhezustand, wenn Sie nicht auf „Abbrechen“ klicken."
LangString VespiroMenuVespiroTip ${LANG_GERMAN} "Der Timer zum Herunterfahren: zählt herunter und führt dann die gewählte Aktion aus."
