#include "data/doc/calculators.h"

#include "data/calc/form100_calculation.h"
#include "data/calc/form714_calculation.h"

namespace doc {

Calculator Form100Driver(IMessageService* messages) {
  return [messages](std::span<std::uint8_t> block, const CalcRequest& r) {
    Form100CalcContext c;
    c.shownMember = r.shownMember;
    c.targetMember = r.targetMember;
    c.useTargetMember = r.useTargetMember;
    c.modality = r.modality;
    c.messages = messages;
    CalculateForm100(block.data(), c);
  };
}

Calculator Form714Driver(IMessageService* messages) {
  return [messages](std::span<std::uint8_t> block, const CalcRequest& r) {
    Form714CalcContext c;
    c.messages = messages;
    CalculateForm714(block.data(), r.mode, c);
  };
}

}  // namespace doc
