; The installer's own texts, in Japanese and English; MUI brings the rest.

LangString SectionProgram ${LANG_JAPANESE} "Veilpix 本体"
LangString SectionProgram ${LANG_ENGLISH} "Veilpix"

LangString SectionAutostart ${LANG_JAPANESE} "ログオン時に Veilpix を起動する"
LangString SectionAutostart ${LANG_ENGLISH} "Start Veilpix when I log on"

LangString EndingVeilpix ${LANG_JAPANESE} "実行中の Veilpix を終了しています..."
LangString EndingVeilpix ${LANG_ENGLISH} "Ending the running Veilpix..."

LangString VeilpixStillRunning ${LANG_JAPANESE} \
  "Veilpix が終了しません。トレイのメニューから Veilpix を終了してから [再試行] を押してください。"
LangString VeilpixStillRunning ${LANG_ENGLISH} \
  "Veilpix does not end. Choose Exit in its tray menu, then choose Retry."

LangString BadAutostartOption ${LANG_JAPANESE} "/AUTOSTART には 0 か 1 を指定してください。"
LangString BadAutostartOption ${LANG_ENGLISH} "/AUTOSTART takes 0 or 1."

LangString ToggleShortcutDescription ${LANG_JAPANESE} "画像の表示と非表示を切り替えます"
LangString ToggleShortcutDescription ${LANG_ENGLISH} "Switches pictures on or off"
