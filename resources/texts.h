/* Every text Veilpix shows, in one place for the resource script and the code alike. Plain
   UTF-8 literals: the .rc reads them with code page 65001, the code widens them with WIDE(). */
#ifndef VEILPIX_RESOURCES_TEXTS_H
#define VEILPIX_RESOURCES_TEXTS_H

#define TXT_APP_TITLE "Veilpix"

/* Main window: the button caption is the picture-display state. */
#define TXT_SHOWN "表示"
#define TXT_HIDDEN "非表示"
#define TXT_FORM1_FONT "ＭＳ ゴシック"

/* Tray menu */
#define TXT_MNU_TRAY "Menu"
#define TXT_MNU_TOGGLE "外部ソフトを使用"
#define TXT_MNU_CHANGE "左クリックで切換"
#define TXT_MNU_START "起動時に画面表示"
#define TXT_MNU_POS "表示場所を記憶"
#define TXT_MNU_ABOUT "バージョン情報"
#define TXT_MNU_END "終了"

/* The external switching program could not be started. */
#define TXT_START_FAILED "外部ソフトを起動できませんでした。ファイルを確認してください。\n\n"
#define TXT_START_FAILED_TITLE " Cannot Start!"

/* Chooser of the external switching program (Form2) */
#define TXT_FORM2_CAPTION "外部ソフトの指定"
#define TXT_FORM2_LABEL1 "外部ソフトを指定してください。"
#define TXT_FORM2_OK "ＯＫ"
#define TXT_FORM2_CANCEL "キャンセル"
#define TXT_FORM2_FONT "ＭＳ Ｐゴシック"
#define TXT_INVALID_FILE "この外部ソフトは使用できません！"
#define TXT_INVALID_FILE_TITLE " Invalid File!"

#ifndef RC_INVOKED
#define VEILPIX_WIDEN(text) L##text
#define WIDE(text) VEILPIX_WIDEN(text)
#endif

#endif
