; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; Italiano (Italian): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_ITALIAN} "Scelta degli utenti"
LangString VespiroModeSubtitle ${LANG_ITALIAN} "Scegliere per quali utenti installare $(^NameDA)."
LangString VespiroModeTop ${LANG_ITALIAN} "Scegliere se installare $(^NameDA) solo per sé o per tutti gli utenti di questo computer. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_ITALIAN} "Installa per tutti gli utenti di questo computer"
LangString VespiroModeCurrentUser ${LANG_ITALIAN} "Installa solo per me"
LangString VespiroAllUsersDenied ${LANG_ITALIAN} "L’account utente non dispone delle autorizzazioni necessarie per installare $(^Name) per tutti gli utenti di questo computer."
LangString VespiroMenuDrowsel ${LANG_ITALIAN} "Drowsel (iberna tra 6 s)"
LangString VespiroMenuDrowselTip ${LANG_ITALIAN} "Iberna questo computer circa 6 secondi dopo l’avvio, a meno che non si prema Annulla."
LangString VespiroMenuVespiroTip ${LANG_ITALIAN} "Il timer per arrestare il sistema: esegue il conto alla rovescia, poi l’azione scelta."
