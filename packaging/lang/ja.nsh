; Terms checked against Windows' own. Not yet reviewed by a native speaker.
; 日本語 (Japanese): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_JAPANESE} "ユーザーの選択"
LangString VespiroModeSubtitle ${LANG_JAPANESE} "$(^NameDA) をインストールするユーザーを選んでください。"
LangString VespiroModeTop ${LANG_JAPANESE} "$(^NameDA) を自分だけのためにインストールするか、このコンピューターのすべてのユーザーのためにインストールするかを選んでください。$(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_JAPANESE} "このコンピューターのすべてのユーザー用にインストールする"
LangString VespiroModeCurrentUser ${LANG_JAPANESE} "自分だけのためにインストールする"
LangString VespiroAllUsersDenied ${LANG_JAPANESE} "お使いのユーザー アカウントには、このコンピューターのすべてのユーザー用に $(^Name) をインストールする権限がありません。"
LangString VespiroMenuDrowsel ${LANG_JAPANESE} "Drowsel (6 秒後に休止状態)"
LangString VespiroMenuDrowselTip ${LANG_JAPANESE} "起動から約 6 秒後にこのコンピューターを休止状態にします。止めるには [キャンセル] を押してください。"
LangString VespiroMenuVespiroTip ${LANG_JAPANESE} "シャットダウン タイマー：カウントダウンの後、選んだ操作を実行します。"
