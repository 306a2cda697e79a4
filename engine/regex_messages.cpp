#include "engine/regex_messages.h"

namespace kvtx {

std::u16string_view RegexFailureMessage(RegexStatus status) {
    switch (status) {
    case RegexStatus::kDone:
        return {};
    case RegexStatus::kMalformed:
        return u"正規表現の構文に誤りがあります";
    case RegexStatus::kTimeLimit:
        return u"正規表現の処理に時間がかかりすぎたため中止しました。"
               u"選択範囲を短くするか、正規表現を見直してください";
    case RegexStatus::kResultTooLarge:
        return u"置換した結果が長くなりすぎるため中止しました";
    case RegexStatus::kMatchLimit:
        return u"正規表現の照合が複雑になりすぎたため中止しました。正規表現を見直してください";
    case RegexStatus::kHoldsNul:
        return u"NUL文字（文字コード0）を含む文字列は扱えないため中止しました";
    case RegexStatus::kLibraryMissing:
        return u"正規表現ライブラリ DVLIBREGEX.dll が見つからないか、使えません。"
               u"プログラムと同じフォルダーに置いてください";
    }
    return {};
}

} // namespace kvtx
