// The checks show their coded messages through the program's message service; their tables keep
// the standard icons as numbers.
#pragma once

#include "data/message_service.h"

namespace checks {

using ::IMessageService;

inline constexpr int kIconStop = static_cast<int>(MessageIcon::Stop);
inline constexpr int kIconExclamation = static_cast<int>(MessageIcon::Warning);
inline constexpr int kIconInformation = static_cast<int>(MessageIcon::Information);

}  // namespace checks
