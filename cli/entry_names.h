#pragma once

#include <string>
#include <string_view>

namespace kvtx::cli {

// How messages name an entry, by the letter the picker shows and the name it carries:
// category B "メール", item c "署名", step 2. An empty name is left out.
std::string CategoryEntry(int position, std::u16string_view name);
std::string ItemEntry(int position, std::u16string_view name);
std::string StepEntry(int position);

} // namespace kvtx::cli
