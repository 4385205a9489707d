; Not yet reviewed by a native speaker. Glossary terms checked against Windows' own where docs/translating.md gives a source.
; Türkçe (Turkish): the installer's own texts, as in en.nsh.
LangString VespiroModeTitle ${LANG_TURKISH} "Kullanıcıları Seçin"
LangString VespiroModeSubtitle ${LANG_TURKISH} "$(^NameDA) uygulamasının hangi kullanıcılar için yükleneceğini seçin."
LangString VespiroModeTop ${LANG_TURKISH} "$(^NameDA) uygulamasını yalnızca kendiniz için mi, yoksa bu bilgisayarın tüm kullanıcıları için mi yüklemek istediğinizi seçin. $(^ClickNext)"
LangString VespiroModeAllUsers ${LANG_TURKISH} "Bu bilgisayarı kullanan herkes için yükle"
LangString VespiroModeCurrentUser ${LANG_TURKISH} "Yalnızca benim için yükle"
LangString VespiroAllUsersDenied ${LANG_TURKISH} "Kullanıcı hesabınızın, $(^Name) uygulamasını bu bilgisayarın tüm kullanıcıları için yüklemeye yetkisi yok."
LangString VespiroMenuDrowsel ${LANG_TURKISH} "Drowsel (6 sn sonra Hazırda Beklet)"
LangString VespiroMenuDrowselTip ${LANG_TURKISH} "İptal'e basmazsanız bu bilgisayarı başladıktan yaklaşık 6 saniye sonra hazırda bekletir."
LangString VespiroMenuVespiroTip ${LANG_TURKISH} "Kapatma zamanlayıcısı: geri sayar, ardından seçtiğiniz işlemi yapar."
