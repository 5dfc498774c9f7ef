// The bound edit: every data-entry field of the program. It is bound to a field of a data block
// through a CBoxField, filters what may be typed, loads the field into its text and stores the text
// back when the user leaves it, refuses typing in member views where the field is not editable, and
// tells its host (dialog, page or page view) of its events with notification codes.
#pragma once

#include <QLineEdit>

#include <functional>
#include <optional>

#include "blocks/field.h"
#include "ui/box_field.h"
#include "ui/edit_host.h"

// Characters passed to FilterChar besides the typed ones.
enum EditChar : char32_t {
  kChBackspace = 0x08,
  kChTab = 0x09,
  kChEnter = 0x0D,
  kChEscape = 0x1B,
  kChDownArrow = 0x28,  // Alt+Down reaches FilterChar with the Down-arrow key code
};

// Answers of the filters.
enum FilterResult : int { kAccept = 0, kRefuse = 1, kHandled = 2 };
// Answers of CheckText.
enum CheckResult : int { kTextValid = 0, kTextInvalid = 1, kTextLeave = 2 };

// Window style bits of GetEditStyle.
enum EditStyle : unsigned {
  kStyleUpperCase = 1u << 0,
  kStyleWantReturn = 1u << 1,
  kStyleMultiLine = 1u << 2,
  kStyleAutoHScroll = 1u << 3,
  kStyleRight = 1u << 4,
};

// The boxes take the plain letters of the forms: an accented vowel (Á, à, ü...) becomes its plain
// vowel; Ñ and Ç, which the forms carry, and every other character stay as they are.
char32_t FoldAccentedVowel(char32_t ch);
QString FoldAccentedVowels(const QString& text);

class CEditEx : public QLineEdit {
  Q_OBJECT
 public:
  // Over an existing descriptor (not owned).
  explicit CEditEx(CBoxField* box, QWidget* parent = nullptr);
  // Without descriptor.
  explicit CEditEx(QWidget* parent = nullptr);
  // Owns a text descriptor of `width` characters ("S<width>", help context 1).
  explicit CEditEx(int width, QWidget* parent = nullptr);
  ~CEditEx() override;

  // --- virtual operations, in the order the family overrides them ---
  // Binds the field (the address of its first byte); answers the size of one bound element.
  virtual int BindData(void* field);
  virtual void ShowInvalidMessage();
  virtual unsigned GetEditStyle() const;
  virtual void SetLookupTable(const std::string& table) {}
  virtual void ApplyTextLimit() {}
  virtual int IsNumeric() const { return 0; }
  virtual void Paste();
  virtual void SetOption(void* option);
  virtual void OnReservedHook() {}
  virtual int ReservedQuery() const { return 0; }
  virtual int IsReadOnly() const;
  virtual int FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard);
  virtual int FilterKeyDown(int key, int repeat, int flags);
  virtual int CheckText(const QString& text);
  virtual int StoreToData();
  virtual void LoadFromData(int mode);  // 0 when the edit gets the focus, 1 otherwise
  virtual bool HandleKey(int key, Qt::KeyboardModifiers mods);
  virtual int IsInputAllowed() const;

  // Typed binding: the field `f` of the record at `rec`.
  int Bind(void* rec, blocks::Text f) { return BindData(blocks::at(rec, f.off)); }
  int Bind(void* rec, blocks::F64 f) { return BindData(blocks::at(rec, f.off)); }
  int Bind(void* rec, blocks::I32 f) { return BindData(blocks::at(rec, f.off)); }
  int Bind(void* rec, blocks::U8 f) { return BindData(blocks::at(rec, f.off)); }

  // Creates the edit over its box in the page view, the scroll origin subtracted.
  bool CreateInView(QWidget* view, int originX, int originY, const QFont& font);
  void SetAllowApostrophe(bool allow) { allowApostrophe_ = allow; }
  void SetEditableInMemberView(bool editable);
  int SetShownDecimals(int count);
  static bool HasOtherMembers();
  void OpenCalculator();
  // The framework's data exchange of this field: save stores and marks the declaration edited.
  void DataExchange(bool save);
  // A single member of a household with several is shown and the field is not editable there.
  bool MemberViewRefuses() const;

  CBoxField* Box() const { return box_; }
  bool OwnsBox() const { return ownsBox_; }
  int GetDlgCtrlID() const { return ui::ControlId(this); }
  void SetDlgCtrlID(int id) { ui::SetControlId(this, id); }
  int EditWidth() const { return editWidth_; }
  bool IsModifiedEx() const { return modified_; }
  void SetModifiedEx(bool m) {
    if (m) MarkModified();
    else modified_ = false;
  }
  // Told when the text becomes modified (typed, pasted, cleared ...), after the change: the
  // window around the edit may offer its commands at once.
  void SetModifiedListener(std::function<void()> listener) { modifiedListener_ = std::move(listener); }
  bool IsValidated() const { return validated_; }
  // The control's own read-only state (the style) or the descriptor's.
  bool ControlReadOnly() const { return isReadOnly() || IsReadOnly(); }
  void MarkModified() {
    const bool was = modified_;
    modified_ = true;
    if (!was && modifiedListener_) modifiedListener_();
  }

  // The calculator of the program (F5); answers its result text, or nothing when cancelled.
  using CalculatorHook = std::function<std::optional<QString>(QWidget* parent, bool numeric)>;
  static void SetCalculatorHook(CalculatorHook hook);
  // The Insert toggle of the keyboard: typing overwrites while it is on.
  static bool OverwriteMode();
  static void SetOverwriteMode(bool on);

  // Focus background colours.
  static QColor FocusColour() { return QColor(173, 211, 208); }
  static QColor NormalColour() { return QColor(255, 255, 255); }

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void showEvent(QShowEvent* e) override;

  // The handling of one character (WM_CHAR).
  virtual void OnChar(char32_t ch, Qt::KeyboardModifiers mods);
  // Types one accepted character at the caret (overwrite mode, upper case).
  void TypeChar(char32_t ch);
  // Sets the text without touching the modified flag.
  void SetTextKeep(const QString& text);
  void Notify(int code);
  void Beep() const;
  void ShowMessage(const QString& code, int icon, const QString& extra = QString());
  // The filter shared by the text editors.
  bool BaseCharAccepted(char32_t ch) const;
  bool IsDialogChild() const;
  void SendKeyDownToHost(int key, Qt::KeyboardModifiers mods);
  void ApplyColours(bool focused);

  CBoxField* box_ = nullptr;
  bool ownsBox_ = false;
  int editWidth_ = 0;
  bool validated_ = true;
  bool modified_ = false;
  bool allowApostrophe_ = true;
  std::function<void()> modifiedListener_;

 private:
  void Init();
  void OnKeyDown(QKeyEvent* e);
  bool styled_ = false;
};

// Key codes of the navigation keys, as FilterKeyDown receives them (Qt key codes).
bool IsNavigationKey(int key, Qt::KeyboardModifiers mods);
