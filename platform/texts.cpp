#include "platform/texts.h"

#ifdef QT_CORE_LIB
#include "platform/strings.h"
#endif

namespace platform {

std::string Text(int id) {
#ifdef QT_CORE_LIB
  return LoadString(id).toStdString();
#else
  (void)id;
  return {};
#endif
}

std::string TextWith(int id, std::string_view value) {
  std::string t = Text(id);
  for (std::string_view mark : {"%s", "%d"}) {
    if (const auto at = t.find(mark); at != std::string::npos) {
      t.replace(at, mark.size(), value);
      break;
    }
  }
  return t;
}

}  // namespace platform
