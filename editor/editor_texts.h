#pragma once

// The editor's own texts: combo entries and messages.

namespace kvtx::editor::texts {

// Entry order is the stored kind value.
inline constexpr const char16_t* kItemKinds[] = {u"テキスト挿入", u"テキスト変換"};
inline constexpr const char16_t* kStepKinds[] = {u"単純置換（AをBに）", u"正規表現（s/A/B/）",
                                                 u"区間置換え（AからBの間をCに）"};

inline constexpr const char16_t* kNoMoreCategories = u"これ以上追加できません";
inline constexpr const char16_t* kNoFreeFileId = u"ファイルIDエラーが発生しました";
inline constexpr const char16_t* kCreateFailed = u"ファイルの作成に失敗しました";
inline constexpr const char16_t* kDeleteCategory = u"このカテゴリと全ての項目を削除しますか？";
inline constexpr const char16_t* kChangeKind =
    u"種別を変更するとデータが消去されます。変更しますか？";
inline constexpr const char16_t* kNoMoreItems = u"これ以上データを追加出来ません";
inline constexpr const char16_t* kNoMoreSteps = u"追加できるのは7項目までです";
inline constexpr const char16_t* kStepTooLong = u"文字列全体で252文字以内に収めてください";

// The name dialog allows 30 characters; an item's name field holds 27.
inline constexpr const char16_t* kItemNameTooLong = u"項目名は27文字以内で入力して下さい";
// Followed by a line break and the file's path.
inline constexpr const char16_t* kSaveFailed = u"ファイルの保存に失敗しました";
inline constexpr const char16_t* kReadFailed = u"ファイルの読み込みに失敗しました";
// Another computer changed the file since the editor read it, in a way this change cannot join.
inline constexpr const char16_t* kCategoryChangedElsewhere =
    u"他の場所でこの分類が変更されたため、読み込み直しました。";
inline constexpr const char16_t* kIndexChangedElsewhere =
    u"他の場所で分類の一覧が変更されたため、読み込み直しました。";
// Follows kCategoryChangedElsewhere when the typed text is still in the text box.
inline constexpr const char16_t* kTypedTextKept = u"入力中の内容はそのまま残しています。";
inline constexpr const char16_t* kReadOnlyFolder =
    u"このフォルダーは読み取り専用のため、編集できません。";
// Followed by the names, one per line.
inline constexpr const char16_t* kSyncCopies =
    u"同期サービスが残した次のファイルは読み込んでいません。必要なら内容を手で移してください。";
// Asked after kSaveFailed when the dialog is closing.
inline constexpr const char16_t* kCloseWithoutSaving = u"変更を保存せずに閉じますか？";

} // namespace kvtx::editor::texts
