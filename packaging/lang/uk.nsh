; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; Українська (Ukrainian): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_UKRAINIAN} "Вибір користувачів"
LangString VespiroModeSubtitle ${LANG_UKRAINIAN} "Виберіть, для яких користувачів встановити $(^NameDA)."
LangString VespiroModeTop ${LANG_UKRAINIAN} "Виберіть, чи встановити $(^NameDA) лише для себе, чи для всіх користувачів цього комп’ютера. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_UKRAINIAN} "Встановити для всіх користувачів цього комп’ютера"
LangString VespiroModeCurrentUser ${LANG_UKRAINIAN} "Встановити лише для мене"
LangString VespiroAllUsersDenied ${LANG_UKRAINIAN} "Ваш обліковий запис не має достатніх прав, щоб встановити $(^Name) для всіх користувачів цього комп’ютера."
LangString VespiroMenuDrowsel ${LANG_UKRAINIAN} "Drowsel (гібернація через 6 с)"
LangString VespiroMenuDrowselTip ${LANG_UKRAINIAN} "Переводить цей комп’ютер у режим гібернації приблизно через 6 секунд після запуску, якщо не натиснути «Скасувати»."
LangString VespiroMenuVespiroTip ${LANG_UKRAINIAN} "Таймер завершення роботи: веде зворотний відлік, а потім виконує вибрану дію."
