// The documents' calculators over the calculation drivers.
#pragma once

#include "data/doc/document.h"

namespace doc {

// CalculateForm100 with the document's shown and target members and modality.
Calculator Form100Driver(IMessageService* messages);
// CalculateForm714 with the document's mode.
Calculator Form714Driver(IMessageService* messages);

}  // namespace doc
