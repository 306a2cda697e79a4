#include "cli/store_snapshot.h"

#include "cli/entry_names.h"
#include "platform/utf.h"
#include "store/fields.h"

namespace kvtx::cli {

void SayUnreadable(std::ostream& err, const std::u16string& path) {
    err << "kvtx: cannot read " << platform::Utf16ToUtf8(path)
        << " (another program may hold it)\n";
}

std::optional<StoreSnapshot> ReadStore(PhraseStore& store, std::ostream& warnings) {
    const FileRead index = store.LoadIndex();
    if (index == FileRead::Unreadable) {
        SayUnreadable(warnings, store.IndexPath());
        return std::nullopt;
    }
    if (index == FileRead::Missing) {
        warnings << "kvtx: no store in " << platform::Utf16ToUtf8(store.DataDirectory())
                 << " (no kvtx_index.dat): it reads as empty\n";
    }

    for (const std::u16string& copy : store.SyncServiceCopies()) {
        warnings << "kvtx: warning: " << platform::Utf16ToUtf8(copy)
                 << " was left by a sync service and is not read; move what it holds by hand\n";
    }

    StoreSnapshot snapshot;
    const int count = store.CategoryCount();
    snapshot.index.nextFileId = store.Index().nextFileId;
    snapshot.index.categoryCount = count;
    snapshot.categories.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        snapshot.index.categories[k] = store.Index().categories[k];
        const auto path = store.CategoryPath(k);
        const std::string entry = CategoryEntry(k, store.CategoryName(k));
        const std::string fileName =
            platform::Utf16ToUtf8(FieldText(store.Index().categories[k].fileName));
        if (!path) {
            warnings << "kvtx: warning: " << entry << ": its file name \"" << fileName
                     << "\" does not name a file in the store folder; it has no items\n";
        } else if (!store.FileExists(*path)) {
            warnings << "kvtx: warning: " << entry << ": " << fileName
                     << " is missing; it has no items\n";
        }
        if (store.LoadCategory(k) == FileRead::Unreadable) {
            SayUnreadable(warnings, *path);
            return std::nullopt;
        }
        snapshot.categories.push_back(store.Loaded());
    }
    return snapshot;
}

} // namespace kvtx::cli
