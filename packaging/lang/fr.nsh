; Terms checked against Windows' own. Not yet reviewed by a native speaker.
; Français (French): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_FRENCH} "Choix des utilisateurs"
LangString VespiroModeSubtitle ${LANG_FRENCH} "Choisissez pour quels utilisateurs installer $(^NameDA)."
LangString VespiroModeTop ${LANG_FRENCH} "Indiquez si vous voulez installer $(^NameDA) uniquement pour vous ou pour tous les utilisateurs de cet ordinateur. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_FRENCH} "Installer pour tous les utilisateurs de cet ordinateur"
LangString VespiroModeCurrentUser ${LANG_FRENCH} "Installer uniquement pour moi"
LangString VespiroAllUsersDenied ${LANG_FRENCH} "Votre compte d’utilisateur n’a pas les droits nécessaires pour installer $(^Name) pour tous les utilisateurs de cet ordinateur."
LangString VespiroMenuDrowsel ${LANG_FRENCH} "Drowsel (mise en veille prolongée dans 6 s)"
LangString VespiroMenuDrowselTip ${LANG_FRENCH} "Met cet ordinateur en veille prolongée environ 6 secondes après son démarrage, sauf si vous cliquez sur Annuler."
LangString VespiroMenuVespiroTip ${LANG_FRENCH} "Le minuteur d’arrêt : compte à rebours, puis exécute l’action choisie."
