#include "app/program_messages.h"

#include <QApplication>

#include "app/seams.h"
#include "platform/strings.h"
#include "ui/message_source.h"
#include "ui/session.h"

namespace app {

namespace {
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

QWidget* CProgramMessages::Parent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return ui::CurrentSession().mainWindow;
}

int CProgramMessages::ShowMessage(std::string_view code, ::MessageIcon icon, std::string_view extra) {
  return app::ShowMessage(Parent(), {Q(code), QString(), static_cast<int>(icon), Q(extra)});
}

void CProgramMessages::Notice(std::string_view text) { Plain(text, kIconInfo); }

void CProgramMessages::Plain(std::string_view text, int icon) { app::ShowMessage(Parent(), {QString(), Q(text), icon}); }

bool CProgramMessages::Lookup(const std::string& code, std::string& title, std::string& text) {
  ui::IMessageSource* source = ui::GetMessageSource();
  if (!source) return false;
  const auto row = source->Find(ui::MessageTableName(platform::Language()), QString::fromStdString(code).left(7));
  if (!row) return false;
  title = row->titu.toStdString();
  text = row->text.toStdString();
  return true;
}

store::StoreMessages CProgramMessages::ForStore() {
  store::StoreMessages m;
  m.coded = this;
  m.plain = [this](std::string_view text, ::MessageIcon icon) { Plain(text, static_cast<int>(icon)); };
  return m;
}

}  // namespace app
