; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; 简体中文 (Chinese, Simplified): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_SIMPCHINESE} "选择用户"
LangString VespiroModeSubtitle ${LANG_SIMPCHINESE} "选择要为哪些用户安装 $(^NameDA)。"
LangString VespiroModeTop ${LANG_SIMPCHINESE} "选择是只为自己安装 $(^NameDA)，还是为这台电脑的所有用户安装。$(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_SIMPCHINESE} "为使用这台电脑的任何人安装"
LangString VespiroModeCurrentUser ${LANG_SIMPCHINESE} "仅为我安装"
LangString VespiroAllUsersDenied ${LANG_SIMPCHINESE} "你的用户帐户没有足够的权限为这台电脑的所有用户安装 $(^Name)。"
LangString VespiroMenuDrowsel ${LANG_SIMPCHINESE} "Drowsel (6 秒后休眠)"
LangString VespiroMenuDrowselTip ${LANG_SIMPCHINESE} "启动约 6 秒后使这台电脑休眠，除非你按“取消”。"
LangString VespiroMenuVespiroTip ${LANG_SIMPCHINESE} "关机定时器：倒计时结束后执行你选择的操作。"
