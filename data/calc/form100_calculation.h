// The form-100 calculation driver: every export of the calculation library in its fixed order,
// with pointers into the open declaration's block. It computes nothing itself.
#pragma once

class IMessageService;

struct Form100CalcContext {
  int member = 2;         // the shown member (1..5), or the target member while filing selects it
  int modality = 0;       // the document's modality byte: 1 joint, 0 individual
  IMessageService* messages = nullptr;  // none: the message is not shown
  bool* reformatBoxes = nullptr;        // set so the box formatters reformat every box
};

// Recomputes every derived box of a Form100Data block in place. Always returns 1.
int CalculateForm100(void* block, const Form100CalcContext& context);
