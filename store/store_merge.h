#pragma once

// One editor's change put on top of what another computer wrote to the same file meanwhile.
// Each takes the file as this editor read it (base), what the editor holds now (mine) and the
// file as it is now (theirs), and gives the file that keeps both changes, or nullopt when they
// touch the same thing and one would be lost.
//
// Categories are known by their file name, which never changes. Items have no name of their
// own that lasts: an item is found in the other file by its whole value (name, kind, content),
// near its old position.

#include "store/records.h"

#include <memory>
#include <optional>
#include <string>

namespace kvtx {

std::optional<IndexImage> MergeIndex(const IndexImage& base, const IndexImage& mine,
                                     const IndexImage& theirs);

// Of mine, one change is understood: items added at the end, one item changed, one item
// removed, or two neighbours exchanged. Anything more, as after several saves that failed,
// is left to the user. Null rather than nullopt: a category image is too big for the stack.
std::unique_ptr<CategoryImage> MergeCategory(const CategoryImage& base, const CategoryImage& mine,
                                             const CategoryImage& theirs);

// Where a category or an item is after a merge: the first item equal to this one in every
// field, the category with this file name.
std::optional<int> PositionOfItem(const CategoryImage& image, const PhraseItem& item,
                                  const ItemContent& content);
std::optional<int> PositionOfCategory(const IndexImage& index, const std::u16string& fileName);

} // namespace kvtx
