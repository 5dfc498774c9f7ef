// The tax-assignment question: asked when a return is about to be produced with neither the church
// box nor the social-purposes box of the member marked. Three options that exclude each other.
#pragma once

#include <array>
#include <cstdint>

#include "ui/annex_dlg.h"
#include "ui/template_dlg.h"

class CAsignacionTributariaDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 249;
  enum Answer : int { kNone = 0, kMarkNow = 1, kMarkNone = 2, kByHand = 3 };
  static constexpr int kMarkNowId = 2179, kMarkNoneId = 2180, kByHandId = 2181;

  explicit CAsignacionTributariaDlg(QWidget* parent = nullptr);
  // Non-zero leaves only the first two options.
  void SetByHandDisabled(bool disabled) { byHandDisabled_ = disabled; }
  int GetAnswer() const { return answer_; }

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  int OnEditValueChanged(int id) override;

 private:
  void RefreshOk();
  int MarkedOption() const;

  // The options belong to the question, not to the declaration.
  std::array<std::uint8_t, 3> marks_{};
  ui::AnnexBinder binder_;
  bool byHandDisabled_ = false;
  bool savedEdited_ = false;
  int answer_ = kNone;
};
