// Shared fakes of the check tests.
#pragma once

#include <string>
#include <vector>

#include "ui/checks/message_service.h"

struct RecordingMessages : checks::IMessageService {
  std::vector<std::string> shown, notices;
  int Show(const std::string& code, int, const std::string&) override {
    shown.push_back(code);
    return 1;
  }
  void Notice(const std::string& text) override { notices.push_back(text); }
};
