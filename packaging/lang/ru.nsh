; Terms checked against Windows' own. Not yet reviewed by a native speaker.
; Русский (Russian): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_RUSSIAN} "Выбор пользователей"
LangString VespiroModeSubtitle ${LANG_RUSSIAN} "Выберите, для каких пользователей установить $(^NameDA)."
LangString VespiroModeTop ${LANG_RUSSIAN} "Выберите, установить ли $(^NameDA) только для себя или для всех пользователей этого компьютера. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_RUSSIAN} "Установить для всех пользователей этого компьютера"
LangString VespiroModeCurrentUser ${LANG_RUSSIAN} "Установить только для меня"
LangString VespiroAllUsersDenied ${LANG_RUSSIAN} "У вашей учётной записи недостаточно прав, чтобы установить $(^Name) для всех пользователей этого компьютера."
LangString VespiroMenuDrowsel ${LANG_RUSSIAN} "Drowsel (гибернация через 6 с)"
LangString VespiroMenuDrowselTip ${LANG_RUSSIAN} "Переводит этот компьютер в режим гибернации примерно через 6 секунд после запуска, если не нажать «Отмена»."
LangString VespiroMenuVespiroTip ${LANG_RUSSIAN} "Таймер завершения работы: ведёт обратный отсчёт, затем выполняет выбранное действие."
