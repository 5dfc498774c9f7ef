#include "ui/session.h"

namespace ui {

Session& CurrentSession() {
  static Session s;
  return s;
}

}  // namespace ui
