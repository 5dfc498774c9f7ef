// The document's check object: numbered field checks on fields of the declaration's data block,
// and the writer and clearer of the declaration's rows of CORREGIX.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "checks/corrections_store.h"
#include "checks/message_service.h"
#include "data/doc/active_declaration.h"

namespace checks {

enum DeclarationKind : int { kForm100 = 2, kForm714 = 3 };

// The declaration that the check object and validators work on; the document keeps it current.
// The shown member and the household are the declaration model's, the box-overflow flag beside
// it (data/doc/active_declaration.h).
struct DocumentState {
  DeclarationKind kind = kForm100;
  unsigned char* block = nullptr;  // Form100Data or Form714Data of the open declaration
  std::size_t blockSize = 0;
  bool joint = false;  // the joint-declaration flag
  char language = 'E';  // interface language letter
};

class CFieldCheck {
 public:
  static constexpr std::size_t kKeyLength = 50;

  CFieldCheck(const DocumentState& doc, IMessageService& messages, ICorrectionsStore& store)
      : doc_(doc), messages_(messages), store_(store) {
    SetDeclarationKey("");
  }

  // Copies the declaration key, padded with blanks (or cut) to 50 characters.
  void SetDeclarationKey(const std::string& key);
  const std::string& DeclarationKey() const { return key_; }
  void SetMessagesOn(bool on) { messagesOn_ = on; }

  // Runs check `number` on the field at `value`: 1 accepted, 0 refused. An unknown number is
  // refused and reported as a program fault; the value is left untouched.
  int RunCheck(int number, void* value);
  // True when `number` is one of the numbered checks.
  static bool IsKnownCheck(int number);
  // The message codes that the numbered checks show when they refuse, in table order (a code
  // shared by several checks is listed once).
  static std::vector<std::string> MessageCodes();
  int ShowCheckMessage(const std::string& code, int icon, const std::string& extra);

  // Records one finding of the open declaration; false when the database refused it.
  bool AddCorrection(const std::string& code, int vista, int numcontr, int severidad, int sujetodecl);
  bool ClearResults();

  const DocumentState& Document() const { return doc_; }
  IMessageService& Messages() { return messages_; }
  void* ValueUnderCheck() const { return value_; }

 private:
  const DocumentState& doc_;
  IMessageService& messages_;
  ICorrectionsStore& store_;
  std::string key_;
  bool messagesOn_ = true;
  void* value_ = nullptr;
};

// Checks 203, 209, 204 and 205 on a whole Form100Data block (section A rows to section J slots).
void CarryOverPerHolder(int number, unsigned char* block, bool joint);
// Checks 207 and 208 on a Form100SectionO record.
void SelectRowsPerMember(int number, unsigned char* sectionO);

}  // namespace checks
