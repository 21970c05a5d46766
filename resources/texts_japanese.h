#pragma once
// Veilpix in Japanese, where Windows' display language is Japanese: every text exactly as its
// users know it, and the fonts the windows are designed in.

#include "resources/texts.h"

namespace veilpix {

constexpr Texts kJapaneseTexts = MakeTexts({
    {text::kAppTitle, L"Veilpix"},
    {text::kUsage,
     L"Veilpix.exe [/on | /off | /toggle]\n\n"
     L"（なし）\tトレイに常駐します。\n/on\t画像を表示します。\n/off\t画像を表示しません。\n"
     L"/toggle\t表示と非表示を切り換えます。\n\n"
     L"(none)\tStays in the tray.\n/on\tShows pictures.\n/off\tHides pictures.\n"
     L"/toggle\tSwitches between the two."},
    {text::kShown, L"表示"},
    {text::kHidden, L"非表示"},
    {text::kMainFont, L"ＭＳ ゴシック"},
    {text::kMenuToggle, L"外部ソフトを使用"},
    {text::kMenuChange, L"左クリックで切換"},
    {text::kMenuStart, L"起動時に画面表示"},
    {text::kMenuPosition, L"表示場所を記憶"},
    {text::kMenuAbout, L"バージョン情報"},
    {text::kMenuEnd, L"終了"},
    {text::kStartFailed, L"外部ソフトを起動できませんでした。ファイルを確認してください。\n\n"},
    {text::kStartFailedTitle, L" Cannot Start!"},
    {text::kOutOfMemory, L"ERROR #7 : メモリが不足しています。"},
    {text::kChooserCaption, L"外部ソフトの指定"},
    {text::kChooserPrompt, L"外部ソフトを指定してください。"},
    {text::kChooserOk, L"ＯＫ"},
    {text::kChooserCancel, L"キャンセル"},
    {text::kChooserFont, L"ＭＳ Ｐゴシック"},
    {text::kInvalidFile, L"この外部ソフトは使用できません！"},
    {text::kInvalidFileTitle, L" Invalid File!"},
    {text::kAboutCaption, L"バージョン情報"},
    {text::kAboutTitlePrefix, L"Veilpix Ver "},
    {text::kAboutDescription, L"IE の画像表示をワンクリックで切り替えます。"},
    {text::kAboutLicence, L"Released under the MIT License."},
    {text::kAboutSupport, L"Support Home Page"},
    {text::kAboutWww, L"WWW :"},
    {text::kAboutReport, L"Report Bug Information"},
    {text::kAboutEmail, L"E-mail :"},
    {text::kAboutOk, L"ＯＫ"},
    {text::kAboutTitleFont, L"Times New Roman"},
    {text::kAboutLabelFont, L"Arial"},
    {text::kAboutOkFont, L"ＭＳ Ｐゴシック"},
    {text::kAboutTipErase, L"レジストリ情報を消去し終了します。アンインストール時に御利用下さい。"},
    {text::kAboutTipSupport, L"最新版を入手できます。"},
    {text::kAboutTipReport, L"バグ報告はこちらまで。"},
    {text::kErased, L"レジストリの情報を消去しました。終了します！"},
    {text::kErasedTitle, L" Erasing Registry Has Finished!"},
    {text::kNothingStored, L"レジストリに書き込まれている情報はありません！"},
    {text::kNothingStoredTitle, L" No Registry Information!"},
    {text::kEraseFailed, L"レジストリの情報を消去できませんでした。\n\n"},
    {text::kSupportUrl, VEILPIX_SUPPORT_URL},
    {text::kBugReportUrl, VEILPIX_BUG_REPORT_URL},
    {text::kOpenFailedTitle, L"ｴﾗｰ"},
    {text::kOpenNoMemory, L"ﾒﾓﾘが足りません。"},
    {text::kOpenFileNotFound, L"指定されたﾌｧｲﾙが見つかりません。"},
    {text::kOpenPathNotFound, L"指定されたﾊﾟｽが見つかりません。"},
    {text::kOpenAccessDenied, L"ｵﾍﾟﾚｰﾃｨﾝｸﾞｼｽﾃﾑは指定されたﾌｧｲﾙへのｱｸｾｽを拒否しました。"},
    {text::kOpenSharingViolation, L"共有違反が発生しました。"},
    {text::kOpenAssociationIncomplete, L"ﾌｧｲﾙ名の関連付けが不十分または不正です。"},
    {text::kOpenDdeTimeout, L"DDE変換が要求時間切れで処理されませんでした。"},
    {text::kOpenDdeFailed, L"DDE変換が失敗しました。"},
    {text::kOpenDdeBusy, L"DDE変換が処理できませんでした。"},
    {text::kOpenNoAssociation, L"指定されたﾌｧｲﾙの拡張子にはｱﾌﾟﾘｹｰｼｮﾝが関連付けられていません。"},
    {text::kOpenDllNotFound, L"指定されたﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘが見つかりません。"},
});

}  // namespace veilpix
