// Entry point of the tests without widgets. Like the program (whose QApplication adopts the
// user's locale), they run under the locale of the environment, so that a run under
// LC_ALL=es_ES.UTF-8 puts every number text through a comma-decimal locale.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
