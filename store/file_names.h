#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvtx {

inline constexpr std::u16string_view kIndexFileName = u"kvtx_index.dat";
inline constexpr std::int64_t kFileIdProbeLimit = 0xFFFFF;

// "kvtx_%.5x.dat": lowercase hexadecimal, at least five digits.
std::u16string CategoryFileName(std::int64_t fileId);
// The id of a name exactly as CategoryFileName writes it, within 0..INT32_MAX (the ids an index
// can hand out); nullopt for any other name.
std::optional<std::int32_t> CategoryFileId(std::u16string_view fileName);

// A copy that a sync service made of a store file when two computers changed it at once, or
// the other computer's version it kept beside this one: "kvtx_00000 (conflicted copy).dat",
// "kvtx_00000-PC2.dat", "kvtx_index.sync-conflict-….dat". Never read as part of the store.
bool IsSyncServiceCopy(std::u16string_view fileName);

// A category file name from an index entry is used only if it names a file in the data folder
// itself: no separator, no drive, no parent step. A damaged or hand-made index can therefore
// never make the program read, overwrite or delete a file elsewhere.
bool IsPlainFileName(std::u16string_view name);

} // namespace kvtx
