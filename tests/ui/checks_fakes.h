// Shared fakes of the check tests.
#pragma once

#include <string>
#include <vector>

#include "checks/message_service.h"

struct RecordingMessages : checks::IMessageService {
  std::vector<std::string> shown, notices;
  int ShowMessage(std::string_view code, MessageIcon, std::string_view) override {
    shown.emplace_back(code);
    return 1;
  }
  void Notice(std::string_view text) override { notices.emplace_back(text); }
};
