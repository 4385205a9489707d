; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; 繁體中文 (Chinese, Traditional): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_TRADCHINESE} "選擇使用者"
LangString VespiroModeSubtitle ${LANG_TRADCHINESE} "選擇要為哪些使用者安裝 $(^NameDA)。"
LangString VespiroModeTop ${LANG_TRADCHINESE} "選擇只為自己安裝 $(^NameDA)，還是為這部電腦的所有使用者安裝。$(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_TRADCHINESE} "為使用這部電腦的任何人安裝"
LangString VespiroModeCurrentUser ${LANG_TRADCHINESE} "僅為我安裝"
LangString VespiroAllUsersDenied ${LANG_TRADCHINESE} "您的使用者帳戶沒有足夠的權限為這部電腦的所有使用者安裝 $(^Name)。"
LangString VespiroMenuDrowsel ${LANG_TRADCHINESE} "Drowsel (6 秒後休眠)"
LangString VespiroMenuDrowselTip ${LANG_TRADCHINESE} "啟動約 6 秒後讓這部電腦休眠，除非你按「取消」。"
LangString VespiroMenuVespiroTip ${LANG_TRADCHINESE} "關機計時器：倒數結束後執行你選擇的動作。"
