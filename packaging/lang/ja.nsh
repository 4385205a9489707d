; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; 日本語 (Japanese): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_JAPANESE} "ユーザーの選択"
LangString VespiroModeSubtitle ${LANG_JAPANESE} "$(^NameDA) をインストールするユーザーを選んでください。"
LangString VespiroModeTop ${LANG_JAPANESE} "$(^NameDA) を自分だけのためにインストールするか、このコンピューターのすべてのユーザーのためにインストールするかを選んでください。$(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_JAPANESE} "このコンピューターのすべてのユーザー用にインストールする"
LangString VespiroModeCurrentUser ${LANG_JAPANESE} "自分だけのためにインストールする"
LangString VespiroAllUsersDenied ${LANG_JAPANESE} "お使いのユーザー アカウントには、このコンピューターのすべてのユーザー用に $(^Name) をインストールする権限がありません。"
