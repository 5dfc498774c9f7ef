// The form-714 calculation driver and its final step.
#pragma once

class IMessageService;

struct Form714CalcContext {
  IMessageService* messages = nullptr;  // none: the messages are not shown
  // Called after each run's final step, before its messages (the document refreshes its views).
  void (*updateViews)(void* owner) = nullptr;
  void* viewsOwner = nullptr;
};

// mode not 0: personal data, every section (-1 then 0), liquidation and result; mode 0: only the
// liquidation and the result from the section totals already in the summary. Returns 1.
int CalculateForm714(void* block, int mode, const Form714CalcContext& context);

// The driver's final step: the nothing-to-pay mark, the payment option bytes, the amounts to pay.
void FinishResult714(void* block);
