#pragma once

#include <cstddef>
#include <string>

namespace kvtx::platform {

// Reserves room for `units` units of text and asks the system to back it with large pages where
// it has them. Each fresh 4 KiB page costs a fault when it is first touched, and on a virtual
// machine the faults of a megabyte text cost more than the work done on it; in 2 MiB pages it
// takes a handful. Only a hint: the string is used like any other.
void ReserveLargeText(std::u16string& text, std::size_t units);

} // namespace kvtx::platform
