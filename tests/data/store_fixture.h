// What the store tests share: a recorder of coded messages with a scripted answer.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "data/message_service.h"
#include "data/store/store.h"

namespace storetest {

struct MessageRecorder : IMessageService {
  std::vector<std::string> codes;
  std::vector<std::string> extras;  // the text each coded message was given
  int answer = 1;
  int ShowMessage(std::string_view code, MessageIcon, std::string_view extra) override {
    codes.emplace_back(code);
    extras.emplace_back(extra);
    return answer;
  }
  std::vector<std::string> notices;
  void Notice(std::string_view text) override { notices.emplace_back(text); }
  int Count(std::string_view c) const { return static_cast<int>(std::count(codes.begin(), codes.end(), c)); }
};

// The key "D<n>" of the n-th of many declarations.
inline std::string NumberedKey(int n) { return std::string("D").append(std::to_string(n)); }

// Messages of a store: coded ones to the recorder, plain texts into `plain`.
inline store::StoreMessages RecordedMessages(MessageRecorder* recorder, std::vector<std::string>* plain) {
  store::StoreMessages m;
  m.coded = recorder;
  if (plain) m.plain = [plain](std::string_view t, MessageIcon) { plain->emplace_back(t); };
  return m;
}

}  // namespace storetest
