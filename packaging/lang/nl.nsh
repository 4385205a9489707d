; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; Nederlands (Dutch): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_DUTCH} "Gebruikers kiezen"
LangString VespiroModeSubtitle ${LANG_DUTCH} "Kies voor welke gebruikers u $(^NameDA) wilt installeren."
LangString VespiroModeTop ${LANG_DUTCH} "Kies of u $(^NameDA) alleen voor uzelf of voor alle gebruikers van deze computer wilt installeren. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_DUTCH} "Installeren voor alle gebruikers van deze computer"
LangString VespiroModeCurrentUser ${LANG_DUTCH} "Alleen voor mij installeren"
LangString VespiroAllUsersDenied ${LANG_DUTCH} "Uw gebruikersaccount heeft onvoldoende rechten om $(^Name) voor alle gebruikers van deze computer te installeren."
LangString VespiroMenuDrowsel ${LANG_DUTCH} "Drowsel (sluimerstand over 6 s)"
LangString VespiroMenuDrowselTip ${LANG_DUTCH} "Zet deze computer ongeveer 6 seconden na het starten in de sluimerstand, tenzij u op Annuleren klikt."
LangString VespiroMenuVespiroTip ${LANG_DUTCH} "De timer voor het afsluiten: telt af en voert dan de gekozen actie uit."
