// The declarations index of the Open and New commands: the store's index dialog, run modally over
// the main frame; in remote mode its first showing in a run loads the local copies.
#pragma once

#include <functional>
#include <string>

#include "app/seams.h"
#include "data/store/store.h"

class QDialog;

namespace app {

class CDeclarationsIndex : public IDeclarationsIndex {
 public:
  // `localCopies`: the folder of remote mode's local copies (empty outside remote mode).
  CDeclarationsIndex(store::DeclarationStore& store, std::function<std::string()> localCopies,
                     std::function<int(QDialog&)> runModal);
  IndexChoice Run(QWidget* parent, bool newFlag) override;

 private:
  store::DeclarationStore& store_;
  std::function<std::string()> localCopies_;
  std::function<int(QDialog&)> runModal_;
};

}  // namespace app
