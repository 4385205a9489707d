; Terms checked against Windows' own. Not yet reviewed by a native speaker.
; 한국어 (Korean): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_KOREAN} "사용자 선택"
LangString VespiroModeSubtitle ${LANG_KOREAN} "$(^NameDA)을(를) 설치할 사용자를 선택하세요."
LangString VespiroModeTop ${LANG_KOREAN} "$(^NameDA)을(를) 나만 사용하도록 설치할지, 이 컴퓨터의 모든 사용자가 사용하도록 설치할지 선택하세요. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_KOREAN} "이 컴퓨터를 사용하는 모든 사용자용으로 설치"
LangString VespiroModeCurrentUser ${LANG_KOREAN} "나만 사용하도록 설치"
LangString VespiroAllUsersDenied ${LANG_KOREAN} "사용자 계정에 이 컴퓨터의 모든 사용자용으로 $(^Name)을(를) 설치할 권한이 없습니다."
LangString VespiroMenuDrowsel ${LANG_KOREAN} "Drowsel (6초 후 최대 절전 모드)"
LangString VespiroMenuDrowselTip ${LANG_KOREAN} "시작하고 약 6초 후에 이 컴퓨터를 최대 절전 모드로 전환합니다. [취소]를 누르면 전환하지 않습니다."
LangString VespiroMenuVespiroTip ${LANG_KOREAN} "시스템 종료 타이머: 카운트다운 후 선택한 작업을 실행합니다."
