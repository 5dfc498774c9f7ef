// The choice of what to import from a transfer file: the selected entries in list order, each
// accepted under its own name, under a new name, or passed over, within the room the store has
// left. A name that is taken is settled by the clash dialog (overwrite, overwrite all, rename,
// skip, cancel).
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/store/store.h"

namespace store {

enum class ClashChoice { Overwrite = 0, OverwriteAll = 1, Rename = 2, Skip = 3, Cancel = -1 };
struct ClashAnswer {
  ClashChoice choice = ClashChoice::Cancel;
  std::string newName;  // for Rename
};

struct ImportPlan {
  bool proceed = false;  // FALSE: the dialog ended with Cancel; nothing is imported
  std::vector<DeclarationStore::ImportChoice> choices;  // by entry index
  bool leftOut = false;  // some selected entries found no room (the store-full text was shown)
};

// `names` the file's keys in entry order, `selected` the chosen entry indexes in list order.
// `resolve` runs the clash dialog for a taken key given the names chosen so far. A key is taken
// when the store holds it or an earlier entry of the file goes under it; overwriting the
// latter passes over that earlier entry.
ImportPlan PlanImport(DeclarationStore& store, std::span<const std::string> names, std::span<const int> selected,
                      const std::function<ClashAnswer(const std::string& key,
                                                      const std::vector<std::string>& chosenNames)>& resolve);

// The clash dialog's check of a new name: not a stored key, not chosen for another entry, as
// the store compares keys.
bool IsNewNameUnused(DeclarationStore& store, std::string_view name, std::span<const std::string> chosenNames);

}  // namespace store
