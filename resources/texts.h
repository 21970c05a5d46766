/* Every text Veilpix shows, in one place for the resource script and the code alike. Plain
   UTF-8 literals: the .rc reads them with code page 65001, the code widens them with WIDE(). */
#ifndef VEILPIX_RESOURCES_TEXTS_H
#define VEILPIX_RESOURCES_TEXTS_H

#define TXT_APP_TITLE "Veilpix"

/* Veilpix.exe /? */
#define TXT_USAGE \
  "Veilpix.exe [/on | /off | /toggle]\n\n" \
  "（なし）\tトレイに常駐します。\n/on\t画像を表示します。\n/off\t画像を表示しません。\n" \
  "/toggle\t表示と非表示を切り換えます。\n\n" \
  "(none)\tStays in the tray.\n/on\tShows pictures.\n/off\tHides pictures.\n" \
  "/toggle\tSwitches between the two."

/* Main window: the button caption is the picture-display state. */
#define TXT_SHOWN "表示"
#define TXT_HIDDEN "非表示"
#define TXT_MAIN_FONT "ＭＳ ゴシック"

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

/* Writing the picture setting ran out of memory. */
#define TXT_OUT_OF_MEMORY "ERROR #7 : メモリが不足しています。"

/* Chooser of the external switching program */
#define TXT_CHOOSER_CAPTION "外部ソフトの指定"
#define TXT_CHOOSER_PROMPT "外部ソフトを指定してください。"
#define TXT_CHOOSER_OK "ＯＫ"
#define TXT_CHOOSER_CANCEL "キャンセル"
#define TXT_CHOOSER_FONT "ＭＳ Ｐゴシック"
#define TXT_INVALID_FILE "この外部ソフトは使用できません！"
#define TXT_INVALID_FILE_TITLE " Invalid File!"

/* About window */
#define TXT_ABOUT_CAPTION "バージョン情報"
#define TXT_ABOUT_TITLE_PREFIX "Veilpix Ver "
#define TXT_ABOUT_DESCRIPTION "IE の画像表示をワンクリックで切り替えます。"
#define TXT_ABOUT_LICENCE "Released under the MIT License."
#define TXT_ABOUT_SUPPORT "Support Home Page"
#define TXT_ABOUT_WWW "WWW :"
#define TXT_ABOUT_REPORT "Report Bug Information"
#define TXT_ABOUT_EMAIL "E-mail :"
#define TXT_ABOUT_OK "ＯＫ"
#define TXT_ABOUT_TITLE_FONT "Times New Roman"
#define TXT_ABOUT_LABEL_FONT "Arial"
#define TXT_ABOUT_OK_FONT "ＭＳ Ｐゴシック"
#define TXT_ABOUT_TIP_ERASE "レジストリ情報を消去し終了します。アンインストール時に御利用下さい。"
#define TXT_ABOUT_TIP_SUPPORT "最新版を入手できます。"
#define TXT_ABOUT_TIP_REPORT "バグ報告はこちらまで。"
#define TXT_ERASED "レジストリの情報を消去しました。終了します！"
#define TXT_ERASED_TITLE " Erasing Registry Has Finished!"
#define TXT_NOTHING_STORED "レジストリに書き込まれている情報はありません！"
#define TXT_NOTHING_STORED_TITLE " No Registry Information!"
#define TXT_ERASE_FAILED "レジストリの情報を消去できませんでした。\n\n"

/* The two web pages: each link shows the address it opens. */
#define TXT_SUPPORT_URL "https://github.com/veilpix/veilpix"
#define TXT_BUG_REPORT_URL "https://github.com/veilpix/veilpix/issues"

/* Opening a document or address failed: the shell's result codes. */
#define TXT_OPEN_FAILED_TITLE "ｴﾗｰ"
#define TXT_OPEN_NO_MEMORY "ﾒﾓﾘが足りません。"
#define TXT_OPEN_FILE_NOT_FOUND "指定されたﾌｧｲﾙが見つかりません。"
#define TXT_OPEN_PATH_NOT_FOUND "指定されたﾊﾟｽが見つかりません。"
#define TXT_OPEN_ACCESS_DENIED "ｵﾍﾟﾚｰﾃｨﾝｸﾞｼｽﾃﾑは指定されたﾌｧｲﾙへのｱｸｾｽを拒否しました。"
#define TXT_OPEN_SHARING_VIOLATION "共有違反が発生しました。"
#define TXT_OPEN_ASSOCIATION_INCOMPLETE "ﾌｧｲﾙ名の関連付けが不十分または不正です。"
#define TXT_OPEN_DDE_TIMEOUT "DDE変換が要求時間切れで処理されませんでした。"
#define TXT_OPEN_DDE_FAILED "DDE変換が失敗しました。"
#define TXT_OPEN_DDE_BUSY "DDE変換が処理できませんでした。"
#define TXT_OPEN_NO_ASSOCIATION "指定されたﾌｧｲﾙの拡張子にはｱﾌﾟﾘｹｰｼｮﾝが関連付けられていません。"
#define TXT_OPEN_DLL_NOT_FOUND "指定されたﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘが見つかりません。"

#ifndef RC_INVOKED
#define VEILPIX_WIDEN(text) L##text
#define WIDE(text) VEILPIX_WIDEN(text)
#endif

#endif
