#pragma once

#include "platform/file_system.h"
#include "store/records.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kvtx {

enum class CreateCategoryStatus {
    Created,
    NoFreeFileId, // "ファイルIDエラーが発生しました"
    CreateFailed, // "ファイルの作成に失敗しました"
};

// How a store file was read. A file that exists but cannot be read (another program holds it) is
// told apart from a missing one, so that nothing is written over it.
enum class FileRead {
    Read,
    Missing,
    Unreadable,
};

struct CreatedCategoryFile {
    CreateCategoryStatus status;
    std::int32_t fileId; // meaningful when Created
};

// The index and one loaded category, with the operations on their files. It touches no
// control: the dialogs fill their lists from what it holds. Every operation opens, reads or
// writes whole and closes. A failed write returns false and leaves memory as it was.
class PhraseStore {
public:
    // dataDirectory ends in the platform's separator; file names are appended to it as they are.
    PhraseStore(platform::FileSystem& files, std::u16string dataDirectory);

    const std::u16string& DataDirectory() const { return dataDirectory_; }

    IndexImage& Index() { return *index_; }
    const IndexImage& Index() const { return *index_; }
    CategoryImage& Loaded() { return *loaded_; }
    const CategoryImage& Loaded() const { return *loaded_; }

    int CategoryCount() const;
    int ItemCount() const;
    std::u16string CategoryName(int position) const;
    std::u16string ItemName(int position) const;

    // A missing or unreadable index gives the empty store.
    FileRead LoadIndex();
    bool SaveIndex() const;

    // Reads the category at this position afresh; a missing or unreadable file, or a file name
    // that does not name a file in the data folder (read as missing), gives no items. A position
    // outside the index leaves the loaded category as it was and returns nullopt.
    std::optional<FileRead> LoadCategory(int position);
    bool SaveCategory(int position) const;

    // The header of a category's file, read afresh (the popup menu lists names from it).
    std::optional<CategoryHeader> ReadCategoryHeader(int position) const;

    // Allocates a file id from nextFileId upward and writes an empty category file for the
    // entry at this position, setting its fileName. nextFileId and the count are left to the
    // caller, who saves the index once the file exists.
    CreatedCategoryFile CreateCategoryFile(int position);
    void DeleteCategoryFile(int position);

    bool FileExists(const std::u16string& path) const;
    std::u16string IndexPath() const;
    // nullopt when the entry's file name would leave the data folder.
    std::optional<std::u16string> CategoryPath(int position) const;

private:
    std::optional<std::int32_t> AllocateFileId() const;
    // The file's bytes, or why there are none: one read decides, and a failed read is then told
    // missing or unreadable by whether the file is there.
    FileRead Read(const std::optional<std::u16string>& path, std::size_t maxBytes,
                  std::optional<std::vector<std::byte>>& bytes) const;

    platform::FileSystem& files_;
    std::u16string dataDirectory_;
    std::unique_ptr<IndexImage> index_;
    std::unique_ptr<CategoryImage> loaded_;
};

} // namespace kvtx
