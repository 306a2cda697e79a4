#include "tests/e2e/korvatex/sample_store.h"

namespace kvtx::e2e {

std::vector<StoreCategory> SampleStore() {
    return {
        {u"挨拶",
         {TextItem(u"おはよう", u"おはようございます。\r\n本日もよろしくお願いいたします。"),
          TextItem(u"日付入り", u"%Y/%M/%D 作成\r\n%input 様\r\n%original"),
          TextItem(u"署名", u"山田 太郎\r\nDova Studio 😀")}},
        {u"変換",
         {ConversionItem(u"全角括弧",
                         {{0, u"(", u"（", {}}, {1, u"\\s+$", u"", {}}, {2, u"<", u">", u"…"}}),
          ConversionItem(u"空の変換", {})}},
        {u"メール",
         {TextItem(u"mail/お礼", u"ありがとうございました。"),
          TextItem(u"mail/お詫び", u"申し訳ございません。"), TextItem(u"連絡", u"ご連絡します。")}},
        {u"空のカテゴリ", {}},
        {u"English", {TextItem(u"Thanks", u"Thank you."), TextItem(u"Regards", u"Best regards,")}},
    };
}

} // namespace kvtx::e2e
