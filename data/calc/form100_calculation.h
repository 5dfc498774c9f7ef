// The form-100 calculation driver: every export of the calculation library in its fixed order,
// with pointers into the open declaration's block. It computes nothing itself.
#pragma once

class IMessageService;

struct Form100CalcContext {
  int shownMember = 1;     // the member on screen, 1 family unit .. 5 child 2
  int targetMember = 1;    // the member that printing or filing works for (6: both spouses)
  bool useTargetMember = false;  // the filing command's output flag: sections C, J, K follow the target
  unsigned char modality = 0;    // the document's joint-declaration byte: 1 joint, 0 individual
  IMessageService* messages = nullptr;  // none: the message is not shown
  bool* reformatBoxes = nullptr;        // set so the box formatters reformat every box
};

// The member that sections C, J and K are computed for: the target member while the filing command
// selects it, else the member shown.
int SectionMember(const Form100CalcContext& context);

// Recomputes every derived box of a Form100Data block in place. Always returns 1.
int CalculateForm100(void* block, const Form100CalcContext& context);
