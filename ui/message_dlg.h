// The coded message dialog: title, text and buttons of a message code read from the message table
// of the interface language; answers the button pressed. The program shows it through the message
// service (ui/messages.h), never directly.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

#include "ui/messages.h"
#include "ui/owner_draw_button.h"

class QLabel;

class CMessageDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 120;
  static constexpr int kIconControl = 330;
  static constexpr int kTextControl = 336;

  explicit CMessageDlg(QWidget* parent = nullptr);
  // Shows at once; the answer is read afterwards with Result().
  CMessageDlg(const QString& code, int icon, const QString& extra, QWidget* parent);

  // Shows the message `code` (at most seven characters are looked up) with a standard icon id and
  // an extra text for "%s"; answers 1, 2, 3, 8 or 10, or the stored result at once when another
  // message is already on screen.
  int Show(const QString& code, int icon, const QString& extra = QString());
  int Result() const { return result_; }

  // Reads the row of `code`: title, text and buttons. False when there is none.
  bool LookUpMessage(const QString& code);
  // What Show puts before the user for `code`, `icon` and `extra`, without showing it.
  static ShownMessage Compose(const QString& code, int icon, const QString& extra = QString());
  static QString CutAtDoubleBlank(const QString& s);
  // "%s" replaced by the extra text; any other "%" stays as it is.
  static QString InsertExtra(const QString& text, const QString& extra);
  static QString RemoveEscapes(const QString& text);

  QString Title() const { return title_; }
  QString Text() const { return text_; }
  int Buttons() const { return buttons_; }
  QWidget* GetDlgItem(int id) const;

  static bool IsOnScreen() { return onScreen_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void reject() override;
  void showEvent(QShowEvent* e) override;

 private:
  void Build();
  void InitDialog();
  int FitToText();
  void LayoutButtons(int reduction);
  void Command(int id);
  void PostClose();

  QWidget* parent_;
  QLabel* iconLabel_ = nullptr;
  QLabel* textLabel_ = nullptr;
  COwnerDrawButton* buttonsW_[6] = {};
  int result_ = kAnsNone;
  QIcon icon_;
  int iconId_ = 0;
  QString text_, title_;
  int buttons_ = 0;
  QString code_;
  bool inited_ = false;

  static bool Lookup(const QString& code, QString& title, QString& text, int& buttons);

  static bool onScreen_;
};
