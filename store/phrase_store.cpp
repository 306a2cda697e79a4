#include "store/phrase_store.h"

#include "store/fields.h"
#include "store/file_names.h"
#include "store/store_codec.h"
#include "store/store_merge.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kvtx {
namespace {

// The bytes read, or none for a file that was not there.
std::span<const std::byte> BytesOf(const std::optional<std::vector<std::byte>>& bytes) {
    return bytes ? std::span<const std::byte>(*bytes) : std::span<const std::byte>();
}

} // namespace

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

PhraseStore::FileSnapshot PhraseStore::Read(const std::optional<std::u16string>& path,
                                            std::size_t maxBytes) const {
    FileSnapshot snapshot;
    if (!path) {
        return snapshot;
    }
    // A file written in place by another computer can be read half old, half new; its stamp
    // then differs after the read, or from the bytes that came.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const auto before = files_.Stamp(*path);
        snapshot.bytes = files_.ReadFile(*path, maxBytes);
        if (!snapshot.bytes) {
            snapshot.read = files_.Exists(*path) ? FileRead::Unreadable : FileRead::Missing;
            snapshot.stamp = snapshot.read == FileRead::Missing ? std::nullopt : before;
            return snapshot;
        }
        snapshot.read = FileRead::Read;
        snapshot.stamp = files_.Stamp(*path);
        const bool whole =
            before && snapshot.stamp &&
            snapshot.bytes->size() == std::min<std::uint64_t>(before->size, maxBytes);
        if (whole && before == snapshot.stamp) {
            break;
        }
    }
    return snapshot;
}

bool PhraseStore::Write(const std::u16string& path, std::vector<std::byte> bytes,
                        std::optional<KnownFile>& known) {
    if (!files_.WriteFile(path, bytes)) {
        return false;
    }
    known = KnownFile{path, {FileRead::Read, std::move(bytes), files_.Stamp(path)}};
    return true;
}

void PhraseStore::Remember(std::optional<KnownFile>& known, const std::u16string& path,
                           FileSnapshot read) {
    // A read that failed tells nothing of what the file holds: what was known stays.
    if (read.read == FileRead::Unreadable && known && known->path == path) {
        return;
    }
    known = KnownFile{path, std::move(read)};
}

bool PhraseStore::StillAsKnown(const FileSnapshot& now, const std::optional<KnownFile>& known,
                               const std::u16string& path) const {
    // A store that never read this file has nothing to lose by writing it.
    return !known || known->path != path || now.bytes == known->snapshot.bytes;
}

bool PhraseStore::OutOfReach(const FileSnapshot& now) const {
    return now.read == FileRead::Unreadable ||
           (now.read == FileRead::Missing && !files_.FileNames(dataDirectory_).has_value());
}

bool PhraseStore::ChangedOnDisk(std::optional<KnownFile>& known, std::size_t maxBytes) const {
    if (!known || files_.Stamp(known->path) == known->snapshot.stamp) {
        return false;
    }
    FileSnapshot now = Read(known->path, maxBytes);
    // What was read stays in use, and the next look tries again.
    if (OutOfReach(now)) {
        return false;
    }
    // Written again with the same bytes, as a sync service may do, is no change.
    if (now.bytes != known->snapshot.bytes) {
        return true;
    }
    known->snapshot.stamp = now.stamp;
    return false;
}

bool PhraseStore::IndexChangedOnDisk() {
    return ChangedOnDisk(indexOnDisk_, kIndexFileBytes);
}

bool PhraseStore::LoadedCategoryChangedOnDisk() {
    return ChangedOnDisk(categoryOnDisk_, kCategoryFileMaxBytes);
}

FileRead PhraseStore::LoadIndex() {
    FileSnapshot read = Read(IndexPath(), kIndexFileBytes);
    *index_ = DecodeIndex(BytesOf(read.bytes));
    const FileRead result = read.read;
    Remember(indexOnDisk_, IndexPath(), std::move(read));
    return result;
}

bool PhraseStore::SaveIndex() {
    return Write(IndexPath(), EncodeIndex(*index_), indexOnDisk_);
}

SharedSave PhraseStore::SaveIndexShared() {
    const std::u16string path = IndexPath();
    const FileSnapshot now = Read(path, kIndexFileBytes);
    if (OutOfReach(now)) {
        return SharedSave::Failed;
    }
    if (StillAsKnown(now, indexOnDisk_, path)) {
        return SaveIndex() ? SharedSave::Saved : SharedSave::Failed;
    }
    const IndexImage theirs = DecodeIndex(BytesOf(now.bytes));
    const auto merged =
        MergeIndex(DecodeIndex(BytesOf(indexOnDisk_->snapshot.bytes)), *index_, theirs);
    if (!merged) {
        *index_ = theirs;
        indexOnDisk_ = KnownFile{path, now};
        return SharedSave::ChangedElsewhere;
    }
    if (!Write(path, EncodeIndex(*merged), indexOnDisk_)) {
        return SharedSave::Failed;
    }
    *index_ = *merged;
    return SharedSave::Merged;
}

std::optional<FileRead> PhraseStore::LoadCategory(int position) {
    if (position < 0 || position >= CategoryCount()) {
        return std::nullopt;
    }
    const auto path = CategoryPath(position);
    FileSnapshot read = Read(path, kCategoryFileMaxBytes);
    DecodeCategory(BytesOf(read.bytes), *loaded_);
    const FileRead result = read.read;
    if (path) {
        Remember(categoryOnDisk_, *path, std::move(read));
    } else {
        categoryOnDisk_.reset();
    }
    return result;
}

bool PhraseStore::SaveCategory(int position) {
    const auto path = CategoryPath(position);
    return path && Write(*path, EncodeCategory(*loaded_), categoryOnDisk_);
}

SharedSave PhraseStore::SaveCategoryShared(int position) {
    const auto path = CategoryPath(position);
    if (!path) {
        return SharedSave::Failed;
    }
    const FileSnapshot now = Read(*path, kCategoryFileMaxBytes);
    if (OutOfReach(now)) {
        return SharedSave::Failed;
    }
    if (StillAsKnown(now, categoryOnDisk_, *path)) {
        return SaveCategory(position) ? SharedSave::Saved : SharedSave::Failed;
    }
    const auto decode = [](const std::optional<std::vector<std::byte>>& bytes) {
        auto image = std::make_unique<CategoryImage>();
        DecodeCategory(BytesOf(bytes), *image);
        return image;
    };
    const auto theirs = decode(now.bytes);
    // A file that was there and is gone was deleted with its category elsewhere: it is not
    // brought back.
    const auto merged =
        now.read == FileRead::Missing
            ? nullptr
            : MergeCategory(*decode(categoryOnDisk_->snapshot.bytes), *loaded_, *theirs);
    if (!merged) {
        *loaded_ = *theirs;
        categoryOnDisk_ = KnownFile{*path, now};
        return SharedSave::ChangedElsewhere;
    }
    if (!Write(*path, EncodeCategory(*merged), categoryOnDisk_)) {
        return SharedSave::Failed;
    }
    *loaded_ = *merged;
    return SharedSave::Merged;
}

std::optional<CategoryHeader> PhraseStore::ReadCategoryHeader(int position) const {
    const auto path = CategoryPath(position);
    const auto bytes = path ? files_.ReadFile(*path, kCategoryHeaderBytes) : std::nullopt;
    if (!bytes) {
        return std::nullopt;
    }
    return DecodeCategoryHeader(*bytes);
}

std::vector<std::u16string> PhraseStore::SyncServiceCopies() const {
    std::vector<std::u16string> copies;
    for (std::u16string& name :
         files_.FileNames(dataDirectory_).value_or(std::vector<std::u16string>{})) {
        if (IsSyncServiceCopy(name)) {
            copies.push_back(std::move(name));
        }
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

bool PhraseStore::ReadOnly() const {
    const auto index = files_.Stamp(IndexPath());
    return (index && index->readOnly) || !files_.MayCreateFilesIn(dataDirectory_);
}

bool PhraseStore::FileExists(const std::u16string& path) const {
    return files_.Exists(path);
}

std::optional<std::int32_t> PhraseStore::AllocateFileId(std::int64_t first) const {
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
    // A damaged index may hold a negative id; ids are never negative, so probing starts at 0.
    const std::int64_t first = std::max<std::int64_t>(index_->nextFileId, 0);
    const std::vector<std::byte> emptyCategory(kCategoryHeaderBytes);
    for (std::int64_t from = first; from - first < kFileIdProbeLimit;) {
        const auto id = AllocateFileId(from);
        if (!id || *id - first >= kFileIdProbeLimit) {
            return {CreateCategoryStatus::NoFreeFileId, 0};
        }
        const std::u16string fileName = CategoryFileName(*id);
        switch (files_.WriteNewFile(dataDirectory_ + fileName, emptyCategory)) {
        case platform::NewFile::Written:
            SetFieldText(index_->categories[position].fileName, fileName);
            return {CreateCategoryStatus::Created, *id};
        case platform::NewFile::Exists:
            // Another computer took this name since it was probed.
            from = std::int64_t{*id} + 1;
            break;
        case platform::NewFile::Failed:
            return {CreateCategoryStatus::CreateFailed, 0};
        }
    }
    return {CreateCategoryStatus::NoFreeFileId, 0};
}

void PhraseStore::DeleteCategoryFile(int position) {
    if (const auto path = CategoryPath(position)) {
        files_.Remove(*path);
    }
}

} // namespace kvtx
