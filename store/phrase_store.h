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

// How a save went in a folder that other computers may write too.
enum class SharedSave {
    Saved,            // the file was still as this store read it, and now holds memory
    Merged,           // another computer had changed it; the file and memory now hold both changes
    ChangedElsewhere, // both changes cannot be kept: nothing was written, memory holds the file
    Failed,           // nothing was written, memory is as it was: the file cannot be reached
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
    bool SaveIndex();
    // The index is read again first and written only if it is still as this store last read or
    // wrote it, or once this store's change has been put on top of another computer's.
    SharedSave SaveIndexShared();

    // Reads the category at this position afresh; a missing or unreadable file, or a file name
    // that does not name a file in the data folder (read as missing), gives no items. A position
    // outside the index leaves the loaded category as it was and returns nullopt.
    std::optional<FileRead> LoadCategory(int position);
    bool SaveCategory(int position);
    // As SaveIndexShared, for the loaded category's file.
    SharedSave SaveCategoryShared(int position);

    // Whether the index, or the loaded category's file, is no longer as this store last read or
    // wrote it: a look at the file's size and time, and only when those changed at its bytes.
    bool IndexChangedOnDisk();
    bool LoadedCategoryChangedOnDisk();

    // The header of a category's file, read afresh (the popup menu lists names from it).
    std::optional<CategoryHeader> ReadCategoryHeader(int position) const;

    // Allocates a file id from nextFileId upward and writes an empty category file for the
    // entry at this position, setting its fileName. The file is created only under a name that
    // is free: one that another computer takes meanwhile is stepped over. nextFileId and the
    // count are left to the caller, who saves the index once the file exists.
    CreatedCategoryFile CreateCategoryFile(int position);
    void DeleteCategoryFile(int position);

    // Names of the data folder's files that sync services left (IsSyncServiceCopy), sorted.
    std::vector<std::u16string> SyncServiceCopies() const;
    // True when new files cannot be created in the data folder, or the index is marked
    // read-only: a library published for reading.
    bool ReadOnly() const;

    bool FileExists(const std::u16string& path) const;
    std::u16string IndexPath() const;
    // nullopt when the entry's file name would leave the data folder.
    std::optional<std::u16string> CategoryPath(int position) const;

private:
    // A file as it was read or written: its bytes (none when it was missing) and its stamp.
    struct FileSnapshot {
        FileRead read = FileRead::Missing;
        std::optional<std::vector<std::byte>> bytes;
        std::optional<platform::FileStamp> stamp;
    };
    struct KnownFile {
        std::u16string path;
        FileSnapshot snapshot;
    };

    std::optional<std::int32_t> AllocateFileId(std::int64_t first) const;
    // The file's bytes, or why there are none. One failed read decides, and is then told missing
    // or unreadable by whether the file is there; a read during which the file changed is taken
    // again.
    FileSnapshot Read(const std::optional<std::u16string>& path, std::size_t maxBytes) const;
    bool Write(const std::u16string& path, std::vector<std::byte> bytes,
               std::optional<KnownFile>& known);
    static void Remember(std::optional<KnownFile>& known, const std::u16string& path,
                         FileSnapshot read);
    bool StillAsKnown(const FileSnapshot& now, const std::optional<KnownFile>& known,
                      const std::u16string& path) const;
    // A file held by another program, or one whose folder cannot be read (a share that went
    // away): it tells nothing of what the file holds now.
    bool OutOfReach(const FileSnapshot& now) const;
    bool ChangedOnDisk(std::optional<KnownFile>& known, std::size_t maxBytes) const;

    platform::FileSystem& files_;
    std::u16string dataDirectory_;
    std::unique_ptr<IndexImage> index_;
    std::unique_ptr<CategoryImage> loaded_;
    std::optional<KnownFile> indexOnDisk_;
    std::optional<KnownFile> categoryOnDisk_;
};

} // namespace kvtx
