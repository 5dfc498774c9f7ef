// The fixture of the journeys: the assembled program as the user meets it, its messages shown by
// the program's own service (over the fixture's double), torn down after each journey.
#pragma once

#include <memory>

#include "app/application.h"
#include "app/program_assembly.h"
#include "app_fixture.h"
#include "ui/messages.h"

namespace apptest {

class JourneyTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    realMessages = std::make_unique<ui::ScopedMessageService>(programsMessages);
  }
  void TearDown() override {
    if (program) program->ExitInstance(0);
    assembly.reset();
    program.reset();
    realMessages.reset();
    AppTest::TearDown();
  }
  std::unique_ptr<app::CRentaApp> program;
  std::unique_ptr<app::CProgramAssembly> assembly;
  ui::CDialogMessages programsMessages;
  std::unique_ptr<ui::ScopedMessageService> realMessages;
};

}  // namespace apptest
