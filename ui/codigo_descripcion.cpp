#include "ui/codigo_descripcion.h"

#include <cstring>

#include "data/db/ado.h"
#include "platform/cp1252.h"
#include "platform/icons.h"
#include "ui/session.h"

CCodigoDescripcion::CCodigoDescripcion(CBoxField* box, db::CAdoConnection* connection, QWidget* parent)
    : CEditEx(box, parent), connection_(connection) {
  ReadCatalogue();
}

void CCodigoDescripcion::ReadCatalogue() {
  catalogue_ = {};
  if (!box_) return;
  if (auto row = ui::ReadCatalogueRow(connection_, box_->FicheroTab)) catalogue_ = *row;
}

int CCodigoDescripcion::BindData(void* field) {
  CEditEx::BindData(field);
  return 4;
}

void CCodigoDescripcion::SetLookupTable(const std::string& table) {
  if (!box_ || table.empty()) return;
  box_->FicheroTab = table;
  ReadCatalogue();
}

int CCodigoDescripcion::LookUpKey(const std::string& key) {
  const std::string table = box_ ? ui::BaseTableName(box_->FicheroTab) : std::string();
  std::string sort;
  if (catalogue_.ordered && db::IsIdentifier(catalogue_.order)) sort = catalogue_.order + " ASC";
  const auto plus = catalogue_.keyColumn.find('+');
  std::optional<db::Filter> filter;
  if (plus == std::string::npos) {
    if (db::IsIdentifier(catalogue_.keyColumn)) filter = db::Filter::Eq(catalogue_.keyColumn, key);
  } else {
    const std::string b = catalogue_.keyColumn.substr(plus + 1);
    if (db::IsIdentifier(catalogue_.filter) && db::IsIdentifier(b))
      filter = db::Filter::Eq(catalogue_.filter, key.substr(0, 2)) && db::Filter::Eq(b, key.size() > 2 ? key.substr(2) : "");
  }
  db::CAdoRecordset rs;
  if (filter && connection_ && !table.empty() && rs.Open(table, connection_, *filter, sort)) {
    std::string descr;
    if (db::IsIdentifier(catalogue_.descr)) rs.GetText(catalogue_.descr, descr);
    rs.Close();
    if (ui::LookupLink* link = Link(); link && link->target) {
      const std::size_t width = link->targetWidth ? std::min(link->targetWidth, kDescriptionWidth) : kDescriptionWidth;
      std::memset(link->target, 0, width);
      const std::string bytes = platform::Utf8ToCp1252(ui::TrimRight(descr));
      std::memcpy(link->target, bytes.data(), std::min(bytes.size(), width));
    }
    return 1;
  }
  ShowMessage(editWidth_ == 3 ? QStringLiteral("100R128") : QStringLiteral("100R127"), platform::kIconExclamation);
  return 0;
}

int CCodigoDescripcion::CheckText(const QString& typed) {
  if (typed.isEmpty()) return kTextValid;
  const int w = std::max(editWidth_, 0);
  std::string t = ui::TrimRight(typed.left(w).toStdString());
  if (box_ && box_->data) {
    const std::string stored = ui::FieldText(box_->data, static_cast<std::size_t>(w));
    if (static_cast<int>(t.size()) == w && t == stored.substr(0, static_cast<std::size_t>(w))) return kTextValid;
  }
  std::string key = t;
  if (ui::LookupLink* link = Link()) key = link->FilterPrefix() + t;
  if (!LookUpKey(key) && box_ && box_->data)
    SetTextKeep(QString::fromStdString(ui::FieldText(box_->data, static_cast<std::size_t>(w))));
  return kTextValid;
}

int CCodigoDescripcion::StoreToData() {
  if (ControlReadOnly()) return 1;
  if (!box_ || !box_->data) return 0;
  CheckText(text());
  const std::string bytes = platform::Utf8ToCp1252(text().toStdString());
  const std::size_t n = std::min(bytes.size(), static_cast<std::size_t>(std::max(box_->width, 0)));
  std::memcpy(box_->data, bytes.data(), n);
  box_->UpdateText();
  if (modified_) doc::MarkEditedSincePrinted();
  return 1;
}

int CCodigoDescripcion::FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) {
  const int base = CEditEx::FilterChar(ch, repeat, flags, fromKeyboard);
  if (base != kAccept) return base;
  if (ch == U'º' || ch == U'·' || ch == U'ç') return kRefuse;
  const QString t = text();
  const int decimals = box_ ? box_->decimals : 0;
  if (ch >= U'0' && ch <= U'9') {
    if (decimals == 0 || hasSelectedText()) return kAccept;
    const qsizetype comma = t.indexOf(u',');
    if (comma < 0) return t.size() >= editWidth_ ? kRefuse : kAccept;
    if (cursorPosition() > comma) return t.size() - comma - 1 >= decimals ? kRefuse : kAccept;
    return comma >= editWidth_ ? kRefuse : kAccept;
  }
  if (ch == kChBackspace || ch == kChEscape) return kAccept;
  if (ch == U',') return decimals > 0 && !t.contains(u',') ? kAccept : kRefuse;
  if (ch == U'-') {
    if (!box_ || !box_->AdmitNega) return kRefuse;
    if (t.isEmpty()) return kAccept;
    SetTextKeep(t.startsWith(u'-') ? t.mid(1) : QStringLiteral("-") + t);
    MarkModified();
    return kHandled;
  }
  return kRefuse;
}
