#include "store/phrase_store.h"

#include "store/fields.h"
#include "store/file_names.h"
#include "store/store_codec.h"

#include <cstring>
#include <limits>

namespace kvtx {

PhraseStore::PhraseStore(platform::FileSystem& files, std::u16string dataDirectory)
    : files_(files), dataDirectory_(std::move(dataDirectory)),
      index_(std::make_unique<IndexImage>()), loaded_(std::make_unique<CategoryImage>()) {}

int PhraseStore::CategoryCount() const {
    return UsedCategories(*index_);
}
int PhraseStore::ItemCount() const {
    return UsedItems(loaded_->header);
}

std::u16string PhraseStore::CategoryName(int position) const {
    return position >= 0 && position < kMaxCategories ? FieldText(index_->categories[position].name)
                                                      : std::u16string();
}

std::u16string PhraseStore::ItemName(int position) const {
    return position >= 0 && position < kMaxItems ? FieldText(loaded_->header.items[position].name)
                                                 : std::u16string();
}

std::u16string PhraseStore::IndexPath() const {
    return dataDirectory_ + std::u16string(kIndexFileName);
}

std::optional<std::u16string> PhraseStore::CategoryPath(int position) const {
    if (position < 0 || position >= kMaxCategories) {
        return std::nullopt;
    }
    const std::u16string name = FieldText(index_->categories[position].fileName);
    if (!IsPlainFileName(name)) {
        return std::nullopt;
    }
    return dataDirectory_ + name;
}

FileRead PhraseStore::Read(const std::optional<std::u16string>& path, std::size_t maxBytes,
                           std::optional<std::vector<std::byte>>& bytes) const {
    bytes = path ? files_.ReadFile(*path, maxBytes) : std::nullopt;
    if (bytes) {
        return FileRead::Read;
    }
    return path && files_.Exists(*path) ? FileRead::Unreadable : FileRead::Missing;
}

FileRead PhraseStore::LoadIndex() {
    std::optional<std::vector<std::byte>> bytes;
    const FileRead read = Read(IndexPath(), kIndexFileBytes, bytes);
    *index_ =
        DecodeIndex(bytes ? std::span<const std::byte>(*bytes) : std::span<const std::byte>());
    return read;
}

bool PhraseStore::SaveIndex() const {
    return files_.WriteFile(IndexPath(), EncodeIndex(*index_));
}

std::optional<FileRead> PhraseStore::LoadCategory(int position) {
    if (position < 0 || position >= CategoryCount()) {
        return std::nullopt;
    }
    std::optional<std::vector<std::byte>> bytes;
    const FileRead read = Read(CategoryPath(position), kCategoryFileMaxBytes, bytes);
    DecodeCategory(bytes ? std::span<const std::byte>(*bytes) : std::span<const std::byte>(),
                   *loaded_);
    return read;
}

bool PhraseStore::SaveCategory(int position) const {
    const auto path = CategoryPath(position);
    return path && files_.WriteFile(*path, EncodeCategory(*loaded_));
}

std::optional<CategoryHeader> PhraseStore::ReadCategoryHeader(int position) const {
    const auto path = CategoryPath(position);
    const auto bytes = path ? files_.ReadFile(*path, kCategoryHeaderBytes) : std::nullopt;
    if (!bytes) {
        return std::nullopt;
    }
    return DecodeCategoryHeader(*bytes);
}

bool PhraseStore::FileExists(const std::u16string& path) const {
    return files_.Exists(path);
}

std::optional<std::int32_t> PhraseStore::AllocateFileId() const {
    // A damaged index may hold a negative id; ids are never negative, so probing starts at 0.
    const std::int64_t first = std::max<std::int64_t>(index_->nextFileId, 0);
    for (std::int64_t i = 0; i < kFileIdProbeLimit; ++i) {
        const std::int64_t id = first + i;
        // nextFileId must be able to hold id + 1 afterwards.
        if (id >= std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
        if (!FileExists(dataDirectory_ + CategoryFileName(id))) {
            return static_cast<std::int32_t>(id);
        }
    }
    return std::nullopt;
}

CreatedCategoryFile PhraseStore::CreateCategoryFile(int position) {
    if (position < 0 || position >= kMaxCategories) {
        return {CreateCategoryStatus::CreateFailed, 0};
    }
    const auto id = AllocateFileId();
    if (!id) {
        return {CreateCategoryStatus::NoFreeFileId, 0};
    }
    const std::u16string fileName = CategoryFileName(*id);
    const std::vector<std::byte> emptyCategory(kCategoryHeaderBytes);
    if (!files_.WriteFile(dataDirectory_ + fileName, emptyCategory)) {
        return {CreateCategoryStatus::CreateFailed, 0};
    }
    SetFieldText(index_->categories[position].fileName, fileName);
    return {CreateCategoryStatus::Created, *id};
}

void PhraseStore::DeleteCategoryFile(int position) {
    if (const auto path = CategoryPath(position)) {
        files_.Remove(*path);
    }
}

} // namespace kvtx
