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
#include <initializer_list>
#include <limits>

namespace kvtx::cli {
namespace {

[[noreturn]] void Refuse(const std::string& where, const std::string& what) {
    throw ImportError(where.empty() ? what : where + ": " + what);
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

// The keys an object may have, so that a misspelt key is refused instead of silently losing what
// it holds.
void CheckKeys(const Json& object, std::initializer_list<std::string_view> allowed,
               const std::string& where) {
    for (const auto& [key, value] : object.items()) {
        bool known = false;
        for (const std::string_view name : allowed) {
            known = known || key == name;
        }
        if (!known) {
            Refuse(where, "unexpected key " + Quoted(key));
        }
    }
}

const Json& Required(const Json& object, const char* key, const std::string& where) {
    const auto found = object.find(key);
    if (found == object.end()) {
        Refuse(where, std::string("missing ") + Quoted(key));
    }
    return *found;
}

const Json& ObjectAt(const Json& value, const std::string& where) {
    if (!value.is_object()) {
        Refuse(where, "must be a JSON object");
    }
    return value;
}

const Json& ArrayMember(const Json& object, const char* key, const std::string& where,
                        std::size_t most) {
    const Json& value = Required(object, key, where);
    if (!value.is_array()) {
        Refuse(where, Quoted(key) + " must be an array");
    }
    if (value.size() > most) {
        Refuse(where, Quoted(key) + " has " + std::to_string(value.size()) + " entries, at most " +
                          std::to_string(most));
    }
    return value;
}

// A string as the store holds it: UTF-16 units, counted as the limits count them. The store's
// fields end at the first NUL, so a NUL inside would cut the string or shift the strings after it.
std::u16string StringMember(const Json& object, const char* key, const std::string& where,
                            std::size_t least, std::size_t most) {
    const Json& value = Required(object, key, where);
    if (!value.is_string()) {
        Refuse(where, Quoted(key) + " must be a string");
    }
    const std::u16string text = platform::Utf8ToUtf16(value.get_ref<const std::string&>());
    if (text.find(u'\0') != std::u16string::npos) {
        Refuse(where, Quoted(key) + " holds U+0000, which the store cannot keep");
    }
    if (text.size() < least) {
        Refuse(where, Quoted(key) + " must not be empty");
    }
    if (text.size() > most) {
        Refuse(where, Quoted(key) + " has " + std::to_string(text.size()) +
                          " characters, at most " + std::to_string(most));
    }
    return text;
}

std::int64_t WholeNumber(const Json& value, const std::string& what, const std::string& where,
                         std::int64_t least, std::int64_t most) {
    std::int64_t number = 0;
    bool valid = false;
    if (value.is_number_unsigned()) {
        const auto unsignedNumber = value.get<std::uint64_t>();
        valid = unsignedNumber <= static_cast<std::uint64_t>(most);
        number = static_cast<std::int64_t>(unsignedNumber);
    } else if (value.is_number_integer()) {
        number = value.get<std::int64_t>();
        valid = true;
    }
    if (!valid || number < least || number > most) {
        Refuse(where, what + " must be a whole number from " + std::to_string(least) + " to " +
                          std::to_string(most));
    }
    return number;
}

std::vector<std::byte> HexMember(const Json& object, const std::string& where, std::size_t most) {
    const Json& value = Required(object, "content", where);
    const auto bytes =
        value.is_string() ? FromHex(value.get_ref<const std::string&>()) : std::nullopt;
    if (!bytes) {
        Refuse(where, "\"content\" must be a string of hexadecimal byte pairs");
    }
    if (bytes->size() > most) {
        Refuse(where, "\"content\" has " + std::to_string(bytes->size()) + " bytes, at most " +
                          std::to_string(most));
    }
    return *bytes;
}

// For messages only: the name an entry claims, whatever else is wrong with it.
std::u16string ClaimedName(const Json& entry) {
    if (entry.is_object()) {
        const auto name = entry.find("name");
        if (name != entry.end() && name->is_string()) {
            return platform::Utf8ToUtf16(name->get_ref<const std::string&>());
        }
    }
    return {};
}

ConversionStep ReadStep(const Json& json, const std::string& where) {
    ObjectAt(json, where);
    const Json& kindValue = Required(json, "kind", where);
    if (kindValue.is_string()) {
        const std::string& word = kindValue.get_ref<const std::string&>();
        const auto kind = StepKindFromWord(word);
        if (!kind) {
            Refuse(where, "unknown kind " + Quoted(word) +
                              " (a step is \"replace\", \"regex\", \"range\" or a number)");
        }
        const bool storesC = StepStoresC(*kind);
        if (storesC) {
            CheckKeys(json, {"kind", "a", "b", "c"}, where);
        } else {
            CheckKeys(json, {"kind", "a", "b"}, where);
        }
        StepStrings strings;
        strings.a = StringMember(json, "a", where, 0, kMaxStepChars);
        strings.b = StringMember(json, "b", where, 0, kMaxStepChars);
        if (storesC) {
            strings.c = StringMember(json, "c", where, 0, kMaxStepChars);
        }
        const auto step = PackStep(*kind, strings);
        if (!step) {
            Refuse(where, "its strings have " + std::to_string(StepCharacters(*kind, strings)) +
                              " characters together, at most " + std::to_string(kMaxStepChars));
        }
        return *step;
    }
    // A kind this program does not know: its text field travels raw.
    const auto kind = static_cast<std::uint16_t>(
        WholeNumber(kindValue, "\"kind\"", where, 0, std::numeric_limits<std::uint16_t>::max()));
    if (StepKindWord(kind)) {
        Refuse(where, "kind " + std::to_string(kind) + " must be written as " +
                          Quoted(*StepKindWord(kind)));
    }
    CheckKeys(json, {"kind", "content"}, where);
    ConversionStep step{};
    step.kind = kind;
    const auto raw = HexMember(json, where, sizeof step.text);
    std::copy(raw.begin(), raw.end(), reinterpret_cast<std::byte*>(step.text));
    return step;
}

void ReadItem(const Json& json, const std::string& where, PhraseItem& header,
              ItemContent& content) {
    ObjectAt(json, where);
    SetFieldText(header.name, StringMember(json, "name", where, 1, kMaxItemNameChars));
    const Json& kindValue = Required(json, "kind", where);
    if (kindValue.is_string()) {
        const std::string& word = kindValue.get_ref<const std::string&>();
        const auto kind = ItemKindFromWord(word);
        if (!kind) {
            Refuse(where, "unknown kind " + Quoted(word) +
                              " (an item is \"text\", \"conversion\" or a number)");
        }
        header.kind = *kind;
        if (*kind == static_cast<std::int32_t>(ItemKind::TextInsertion)) {
            CheckKeys(json, {"name", "kind", "text"}, where);
            SetContentText(content, StringMember(json, "text", where, 0, kMaxTextChars));
        } else {
            CheckKeys(json, {"name", "kind", "steps"}, where);
            const Json& steps = ArrayMember(json, "steps", where, kMaxSteps);
            for (std::size_t s = 0; s < steps.size(); ++s) {
                const int position = static_cast<int>(s);
                SetStepAt(content, position,
                          ReadStep(steps[s], where + ", " + StepEntry(position)));
            }
            SetStepCount(content, static_cast<int>(steps.size()));
        }
        header.contentLength = ContentLengthFor(static_cast<ItemKind>(*kind), content);
        return;
    }
    // A kind this program does not know: its content travels raw, its length is the content's.
    header.kind = static_cast<std::int32_t>(WholeNumber(kindValue, "\"kind\"", where,
                                                        std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
    if (ItemKindWord(header.kind)) {
        Refuse(where, "kind " + std::to_string(header.kind) + " must be written as " +
                          Quoted(*ItemKindWord(header.kind)));
    }
    CheckKeys(json, {"name", "kind", "content"}, where);
    const auto raw = HexMember(json, where, kContentBytes);
    std::copy(raw.begin(), raw.end(), content.bytes);
    header.contentLength = static_cast<std::int32_t>(raw.size());
}

void ReadCategory(const Json& json, const std::string& where, kvtx::Category& entry,
                  CategoryImage& image) {
    ObjectAt(json, where);
    CheckKeys(json, {"name", "file", "items"}, where);
    SetFieldText(entry.name, StringMember(json, "name", where, 1, kMaxCategoryNameChars));
    if (json.contains("file")) {
        const std::u16string fileName = StringMember(json, "file", where, 1, 31);
        if (!CategoryFileId(fileName)) {
            Refuse(where, "\"file\" must be of the form kvtx_%.5x.dat (lower-case hexadecimal)");
        }
        SetFieldText(entry.fileName, fileName);
    }
    if (!json.contains("items")) {
        return;
    }
    const Json& items = ArrayMember(json, "items", where, kMaxItems);
    image.header.itemCount = static_cast<std::int32_t>(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int position = static_cast<int>(i);
        ReadItem(items[i], where + ", " + ItemEntry(position, ClaimedName(items[i])),
                 image.header.items[i], image.contents[i]);
    }
}

} // namespace

StoreSnapshot StoreFromJson(const Json& document) {
    ObjectAt(document, "the top level");
    CheckKeys(document, {"nextFileId", "categories"}, "the top level");
    StoreSnapshot snapshot;
    if (document.contains("nextFileId")) {
        snapshot.index.nextFileId = static_cast<std::int32_t>(
            WholeNumber(document["nextFileId"], "\"nextFileId\"", "the top level", 0,
                        std::numeric_limits<std::int32_t>::max()));
    }
    const Json& categories = ArrayMember(document, "categories", "the top level", kMaxCategories);
    snapshot.index.categoryCount = static_cast<std::int32_t>(categories.size());
    snapshot.categories.resize(categories.size());
    for (std::size_t k = 0; k < categories.size(); ++k) {
        const int position = static_cast<int>(k);
        ReadCategory(categories[k], CategoryEntry(position, ClaimedName(categories[k])),
                     snapshot.index.categories[k], snapshot.categories[k]);
    }
    return snapshot;
}

} // namespace kvtx::cli
