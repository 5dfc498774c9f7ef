// Icons of the program's resources by their ids, and the standard message icons.
#pragma once

#include <QIcon>

namespace platform {

// Program icons: 124 green check mark, 128 red cross, 141 white cross on a red disc,
// 161 yellow question mark, 151 and 157 green arrows forward and back, 287 chequered flag.
// An unknown id gives a null icon.
QIcon ProgramIcon(int id, int size = 32);

// Standard message icons by their system ids.
enum StandardIconId : int {
  kIconHand = 32513,         // stop
  kIconQuestion = 32514,
  kIconExclamation = 32515,  // warning
  kIconAsterisk = 32516,     // information
};
QIcon StandardIcon(int id);

}  // namespace platform
