// Records the coded messages that code below the user interface shows.
#pragma once

#include <string>
#include <vector>

#include "data/message_service.h"

struct MessageRecorder : IMessageService {
  struct Shown {
    std::string code;
    MessageIcon icon;
  };
  std::vector<Shown> shown;
  int ShowMessage(std::string_view code, MessageIcon icon, std::string_view) override {
    shown.push_back({std::string(code), icon});
    return 1;
  }
  std::vector<std::string> notices;
  void Notice(std::string_view text) override { notices.emplace_back(text); }
  std::vector<std::string> codes() const {
    std::vector<std::string> c;
    for (const Shown& s : shown) c.push_back(s.code);
    return c;
  }
};
