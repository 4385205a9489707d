; Terms checked against Windows' own. Not yet reviewed by a native speaker.
; Português do Brasil (Portuguese, Brazil): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_PORTUGUESEBR} "Escolher usuários"
LangString VespiroModeSubtitle ${LANG_PORTUGUESEBR} "Escolha para quais usuários deseja instalar o $(^NameDA)."
LangString VespiroModeTop ${LANG_PORTUGUESEBR} "Selecione se deseja instalar o $(^NameDA) somente para você ou para todos os usuários deste computador. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_PORTUGUESEBR} "Instalar para todos os usuários deste computador"
LangString VespiroModeCurrentUser ${LANG_PORTUGUESEBR} "Instalar somente para mim"
LangString VespiroAllUsersDenied ${LANG_PORTUGUESEBR} "Sua conta de usuário não tem permissões suficientes para instalar o $(^Name) para todos os usuários deste computador."
LangString VespiroMenuDrowsel ${LANG_PORTUGUESEBR} "Drowsel (hibernar em 6 s)"
LangString VespiroMenuDrowselTip ${LANG_PORTUGUESEBR} "Hiberna este computador cerca de 6 segundos depois de iniciar, a menos que você clique em Cancelar."
LangString VespiroMenuVespiroTip ${LANG_PORTUGUESEBR} "O temporizador de desligamento: faz a contagem regressiva e depois executa a ação escolhida."
