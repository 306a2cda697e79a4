#include "cli/entry_names.h"
#include "cli/hex.h"
#include "cli/kind_words.h"
#include "cli/store_json.h"
#include "platform/utf.h"
#include "store/fields.h"
#include "store/file_names.h"
#include "store/item_content.h"
#include "store/step_text.h"

#include <algorithm>

namespace kvtx::cli {
namespace {

bool HasUnpairedSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

class Exporter {
public:
    explicit Exporter(std::ostream& warnings) : warnings_(warnings) {}

    Json Store(const StoreSnapshot& snapshot) {
        Json categories = Json::array();
        for (std::size_t k = 0; k < snapshot.categories.size(); ++k) {
            categories.push_back(Category(static_cast<int>(k), snapshot.index.categories[k],
                                          snapshot.categories[k]));
        }
        // A damaged index may hold a negative id; allocation starts at 0 for it anyway.
        return Json{{"nextFileId", std::max(snapshot.index.nextFileId, 0)},
                    {"categories", std::move(categories)}};
    }

private:
    std::string Text(std::u16string_view text, const std::string& where, const char* field) {
        if (HasUnpairedSurrogate(text)) {
            warnings_ << "kvtx: warning: " << where << ": " << field
                      << " holds an unpaired surrogate, written as U+FFFD\n";
        }
        return platform::Utf16ToUtf8(text);
    }

    Json Category(int position, const kvtx::Category& entry, const CategoryImage& image) {
        const std::u16string name = FieldText(entry.name);
        const std::string where = CategoryEntry(position, name);
        Json category{{"name", Text(name, where, "the name")}};
        const std::u16string fileName = FieldText(entry.fileName);
        if (CategoryFileId(fileName)) {
            category["file"] = platform::Utf16ToUtf8(fileName);
        } else {
            warnings_ << "kvtx: warning: " << where << ": the file name \""
                      << platform::Utf16ToUtf8(fileName)
                      << "\" is not of the kvtx_%.5x.dat form and is left out\n";
        }
        Json items = Json::array();
        for (int i = 0; i < image.header.itemCount; ++i) {
            items.push_back(Item(where, i, image.header.items[i], image.contents[i]));
        }
        category["items"] = std::move(items);
        return category;
    }

    Json Item(const std::string& categoryWhere, int position, const PhraseItem& header,
              const ItemContent& content) {
        const std::u16string name = FieldText(header.name);
        const std::string where = categoryWhere + ", " + ItemEntry(position, name);
        Json item{{"name", Text(name, where, "the name")}};
        const auto word = ItemKindWord(header.kind);
        if (!word) {
            item["kind"] = header.kind;
            item["content"] = ToHex(
                std::span(content.bytes).first(static_cast<std::size_t>(header.contentLength)));
            return item;
        }
        item["kind"] = *word;
        if (header.kind == static_cast<std::int32_t>(ItemKind::TextInsertion)) {
            item["text"] = Text(ContentText(content), where, "the text");
            return item;
        }
        Json steps = Json::array();
        for (int s = 0; s < StepCount(content); ++s) {
            steps.push_back(Step(where + ", " + StepEntry(s), StepAt(content, s)));
        }
        item["steps"] = std::move(steps);
        return item;
    }

    Json Step(const std::string& where, const ConversionStep& step) {
        const auto word = StepKindWord(step.kind);
        if (!word) {
            // Trailing zeros carry nothing: the import pads the field with zeros again.
            std::span<const std::byte> raw = std::as_bytes(std::span(step.text));
            while (!raw.empty() && raw.back() == std::byte{0}) {
                raw = raw.first(raw.size() - 1);
            }
            return Json{{"kind", step.kind}, {"content", ToHex(raw)}};
        }
        const StepStrings strings = SplitStepText(step.text);
        Json json{{"kind", *word},
                  {"a", Text(strings.a, where, "a")},
                  {"b", Text(strings.b, where, "b")}};
        if (StepStoresC(step.kind)) {
            json["c"] = Text(strings.c, where, "c");
        }
        return json;
    }

    std::ostream& warnings_;
};

} // namespace

Json StoreToJson(const StoreSnapshot& snapshot, std::ostream& warnings) {
    return Exporter(warnings).Store(snapshot);
}

} // namespace kvtx::cli
