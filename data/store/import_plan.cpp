#include "data/store/import_plan.h"

#include <algorithm>

namespace store {

bool IsNewNameUnused(DeclarationStore& store, std::string_view name, std::span<const std::string> chosenNames) {
  if (store.Exists(name)) return false;
  return std::none_of(chosenNames.begin(), chosenNames.end(),
                      [name](const std::string& k) { return !k.empty() && SameKey(k, name); });
}

ImportPlan PlanImport(DeclarationStore& store, std::span<const std::string> names, std::span<const int> selected,
                      const std::function<ClashAnswer(const std::string&, const std::vector<std::string>&)>& resolve) {
  ImportPlan plan;
  plan.choices.assign(names.size(), {});
  const int stored = store.Count();
  if (stored >= kMaxDeclarations) {
    store.Messages().Plain(StoreFullText());
    return plan;
  }
  if (selected.empty()) return plan;
  bool overwriteAll = false, cancelled = false;
  int chosen = 0;
  std::vector<std::string> targets;  // the names chosen so far
  std::vector<int> targetEntries;    // and their entries
  for (int index : selected) {
    if (cancelled) break;
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) continue;
    const std::string& key = names[static_cast<std::size_t>(index)];
    auto refuse = [&](bool forRoom) {
      if (selected.size() == 1) {
        if (forRoom) store.Messages().Plain(StoreFullText());
        plan.proceed = false;
        cancelled = true;
      }
    };
    if (TrimKey(key).empty()) {
      store.Messages().Coded(msg::kEmptyListName);
      refuse(false);
      continue;
    }
    // Room: this key included, the chosen ones and the stored ones must stay within the maximum.
    if (chosen + 1 + stored >= kMaxDeclarations + 1) {
      plan.leftOut = true;
      refuse(true);
      continue;
    }
    std::string newName;
    const auto earlier = std::find_if(targets.begin(), targets.end(),
                                      [&key](const std::string& t) { return SameKey(t, key); });
    const bool inFile = earlier != targets.end();
    if (inFile || (store.Exists(key) && !overwriteAll)) {
      ClashAnswer a = resolve ? resolve(key, targets) : ClashAnswer{};
      switch (a.choice) {
        case ClashChoice::Overwrite: break;
        case ClashChoice::OverwriteAll: overwriteAll = true; break;
        case ClashChoice::Rename: newName = PadKey(a.newName); break;
        case ClashChoice::Skip: refuse(false); continue;
        case ClashChoice::Cancel: cancelled = true; continue;
      }
      if (newName.empty() && inFile) {
        // This entry replaces the earlier one of the same name: that one is not imported.
        const auto at = static_cast<std::size_t>(earlier - targets.begin());
        plan.choices[static_cast<std::size_t>(targetEntries[at])] = {};
        targets.erase(earlier);
        targetEntries.erase(targetEntries.begin() + static_cast<std::ptrdiff_t>(at));
        --chosen;
      }
    }
    plan.choices[static_cast<std::size_t>(index)] = {true, newName};
    targets.push_back(newName.empty() ? key : newName);
    targetEntries.push_back(index);
    ++chosen;
  }
  if (cancelled) {
    // Cancelling a clash passes over every remaining entry and imports none at all.
    plan.proceed = false;
    plan.choices.assign(names.size(), {});
    return plan;
  }
  if (chosen + stored > kMaxDeclarations || static_cast<int>(selected.size()) + stored > kMaxDeclarations) {
    plan.leftOut = true;
    store.Messages().Plain(StoreFullText());
  }
  plan.proceed = true;
  return plan;
}

}  // namespace store
