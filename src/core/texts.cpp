// Source is UTF-8; the build compiles this file with -fexec-charset=CP932.
#include "core/texts.h"

namespace velm::text {

const char kAppTitle[] = "Velmaris";
const char kMovingCaption[] = "移動中・・・";
const char kVersionLabel[] = "Ver 3.0";
const char kButtonChange[] = "変更";
const char kButtonDelete[] = "削除";
const char kButtonSwitchView[] = "表示形式変更";
const char kButtonExit[] = "終了";
const char kButtonExitNoSave[] = "保存しないで終了";
const char kButtonRestoreOld[] = "旧データの復旧";
const char kButtonCreate[] = "作成";
const char kButtonMove[] = "移動";
const char kButtonClear[] = "クリア";
const char kFontName[] = "ＭＳ Ｐゴシック";

const char kRestoreCaption[] = "旧データ読み込み";
const char kRestoreLabelDesign[] =
    "現在の復旧可能なデータは２件です。復旧すると現在のデータは破棄されます";
const char kRestoreLabelHead[] = "現在の復旧可能なデータは";
const char kRestoreLabelTail[] = "件です。復旧すると現在のデータは破棄されます";
const char kGenerationItem[] = "復旧データ";
const char kButtonRestore[] = "復旧";
const char kButtonBack[] = "戻る";
const char kNoGenerations[] = "復旧データがありません";

const char kErrorCaption[] = "エラー";
const char kConfirmCaption[] = "確認";
const char kYes[] = "はい(&Y)";
const char kNo[] = "いいえ(&N)";
const char kOk[] = "OK";
const char kCancel[] = "キャンセル";
const char kChangeCaptionSuffix[] = "の変更";
const char kChangePrompt[] = "変更後のURLを入力してください";
const char kChangeEmpty[] = "変更後のURLが空白です";
const char kCreateCaption[] = "新規作成";
const char kCreatePrompt[] =
    "作成するURLを入力してください\r\n注意：半角英数のみ使用してください。";
const char kMovePrompt[] = "移動先を選択してください";
const char kExitNoSaveQuestion[] = "保存しないで終了していいですか？";
const char kHistoryFull[] = "履歴に保存できるのは25件までです。先に項目を削除してください";

const char kSettingsWriteError[] = "%s に書き込めません";
const char kHistoryTypeError[] = "'%s' のデータ型が不正です";
const char kHistoryReadError[] = "'%s' の取得に失敗しました";
const char kHistoryWriteError[] = "'%s' の設定に失敗しました";
const char kIndexError[] = "リストのインデックスが範囲を超えています (%d)";
const char kInsertError[] = "行を挿入できません";
const char kClipboardError[] = "クリップボードを開くことができません";
const char kStartupFailureCaption[] = "アプリケーション エラー";
const char kStartupFailurePattern[] = "%sがモジュール %s の %p で発生しました。";
const char kWindowCreateError[] = "ウィンドウを作成できません";
const char kUnknownError[] = "不明なエラーが発生しました";

}  // namespace velm::text
