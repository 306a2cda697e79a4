#include "cli/store_writer.h"

#include "cli/store_json.h"
#include "store/fields.h"
#include "store/file_names.h"

#include <algorithm>
#include <limits>
#include <set>

namespace kvtx::cli {

void AssignFileNames(StoreSnapshot& snapshot, const PhraseStore& store) {
    const int count = snapshot.index.categoryCount;
    const auto inFolder = [&](const std::u16string& name) {
        return store.FileExists(store.DataDirectory() + name);
    };

    std::set<std::u16string> taken;
    std::vector<int> needFile;
    for (int k = 0; k < count; ++k) {
        const std::u16string wanted = FieldText(snapshot.index.categories[k].fileName);
        if (!wanted.empty() && !taken.contains(wanted) && !inFolder(wanted)) {
            taken.insert(wanted);
        } else {
            needFile.push_back(k);
        }
    }

    std::int64_t next = std::max(snapshot.index.nextFileId, 0);
    for (const int k : needFile) {
        bool found = false;
        for (std::int64_t probes = 0; probes < kFileIdProbeLimit && !found; ++probes, ++next) {
            // nextFileId must be able to hold id + 1 afterwards.
            if (next >= std::numeric_limits<std::int32_t>::max()) {
                break;
            }
            const std::u16string name = CategoryFileName(next);
            if (!taken.contains(name) && !inFolder(name)) {
                SetFieldText(snapshot.index.categories[k].fileName, name);
                taken.insert(name);
                found = true;
            }
        }
        if (!found) {
            throw ImportError("no free file id for the category files");
        }
    }
    if (!needFile.empty()) {
        snapshot.index.nextFileId =
            static_cast<std::int32_t>(std::max<std::int64_t>(snapshot.index.nextFileId, next));
    }
}

std::optional<std::u16string> WriteStore(const StoreSnapshot& snapshot, PhraseStore& store) {
    store.Index() = snapshot.index;
    const int count = snapshot.index.categoryCount;
    for (int k = 0; k < count; ++k) {
        store.Loaded() = snapshot.categories[static_cast<std::size_t>(k)];
        if (!store.SaveCategory(k)) {
            for (int written = 0; written < k; ++written) {
                store.DeleteCategoryFile(written);
            }
            return store.CategoryPath(k).value_or(store.DataDirectory());
        }
    }
    if (!store.SaveIndex()) {
        for (int written = 0; written < count; ++written) {
            store.DeleteCategoryFile(written);
        }
        return store.IndexPath();
    }
    return std::nullopt;
}

} // namespace kvtx::cli
