#include "forms/view/box_list.h"

#include <QPainter>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "data/db/ado.h"
#include "ui/box_definition.h"

namespace forms {

namespace {

std::string Text(db::CAdoRecordset& rs, const char* column, std::size_t width) {
  std::string s;
  rs.GetText(column, s);
  if (s.size() > width) s.resize(width);
  return s;
}

int Int(db::CAdoRecordset& rs, const char* column) {
  std::int32_t v = 0;
  rs.GetInt(column, v);
  return v;
}

using ui::ControlRow;
using ui::ControlRows;
using ui::ControlText;
using ui::ControlTexts;
using ui::ScaledRect;

db::Filter PageFilter(const std::string& pageCodeText) { return db::Filter::Eq("INDICEFICH", pageCodeText); }

// A page's box definitions, read from the local database once while it does not change: the
// filter on the page code cannot use an index, so every read scans the whole table. Null when
// the table cannot be read.
std::shared_ptr<const ControlRows> PageControls(db::CAdoConnection* local, const std::string& pageCodeText) {
  if (!local) return nullptr;
  std::shared_ptr<void>& slot = local->DerivedData("ControlX\x1f" + pageCodeText);
  if (slot) return std::static_pointer_cast<const ControlRows>(slot);
  db::CAdoRecordset rs;
  rs.Open("ControlX", local, PageFilter(pageCodeText));
  if (!rs.IsOpen()) return nullptr;
  auto rows = std::make_shared<ControlRows>();
  for (; rs.IsNotAtEnd(); rs.MoveNext()) {
    ControlRow r;
    r.page = Text(rs, "IndiceFich", 4);
    r.number = Text(rs, "IndNumero", 6);
    r.fminternet = Text(rs, "fminternet", 7);
    r.idinternet = Int(rs, "Idinternet");
    r.numeroDeCo = Int(rs, "NumeroDeCo");
    r.soloLectur = Int(rs, "SoloLectur");
    r.pintarEn = Int(rs, "PintarEn");
    r.identifica = Text(rs, "Identifica", 10);
    r.strValidac = Text(rs, "StrValidac", 15);
    r.ficheroTab = Text(rs, "FicheroTab", 49);
    r.base = Text(rs, "Base", 11);
    r.nombreVent = Text(rs, "NombreVent", 25);
    r.admitNega = Int(rs, "AdmitNega");
    r.pintacero = Int(rs, "Pintacero");
    r.coor[0] = Int(rs, "Coor_1");
    r.coor[1] = Int(rs, "Coor_2");
    r.coor[2] = Int(rs, "Coor_3");
    r.coor[3] = Int(rs, "Coor_4");
    rows->push_back(std::move(r));
  }
  slot = rows;
  return rows;
}

// The page's rows of a language table of box texts, read once as the definitions are.
std::shared_ptr<const ControlTexts> PageControlTexts(db::CAdoConnection* local, const std::string& table,
                                                     const std::string& pageCodeText) {
  std::shared_ptr<void>& slot = local->DerivedData(table + "\x1f" + pageCodeText);
  if (slot) return std::static_pointer_cast<const ControlTexts>(slot);
  db::CAdoRecordset rs;
  rs.Open(table, local, PageFilter(pageCodeText));
  if (!rs.IsOpen()) return nullptr;
  auto texts = std::make_shared<ControlTexts>();
  for (; rs.IsNotAtEnd(); rs.MoveNext())
    texts->push_back({Text(rs, "INDNUMERO", 64), Text(rs, "TituloVent", 49), Text(rs, "TEXTODIBUJ", 79)});
  slot = texts;
  return texts;
}


}  // namespace

CPageBoxList::~CPageBoxList() = default;

std::string CPageBoxList::PageCodeText(int pageCode) {
  char code[16];
  std::snprintf(code, sizeof code, "%4d", pageCode);
  return code;
}

void CPageBoxList::PaintBoxes(QPainter& painter, int x, int y, int mode, bool accessible) {
  for (auto& box : boxes_) {
    if (mode == 1) box->UpdateText();
    box->Draw(painter, x, y, mode, accessible);
  }
}

bool CPageBoxList::LoadFromControlX(int pageCode, double scale) {
  const std::string code = PageCodeText(pageCode);
  const std::shared_ptr<const ControlRows> rows = PageControls(tables_.local, code);
  bool loaded = false;
  if (rows && !rows->empty()) {
    const std::shared_ptr<const ControlTexts> texts =
        PageControlTexts(tables_.local, db::LanguageTableName("ControlX", 7, tables_.language), code);
    if (!texts || texts->empty()) {
      Report(kStrControlsDamaged, true);
    } else {
      const ControlTexts& languageRows = *texts;
      std::size_t nextText = 0;
      for (const ControlRow& row : *rows) {
        auto box = std::make_unique<CBoxField>();
        box->pageCode = std::atoi(row.page.c_str());
        box->IndNumero = std::atoi(row.number.c_str());
        box->fminternet = row.fminternet;
        box->Idinternet = row.idinternet;
        box->NumeroDeCo = row.numeroDeCo;
        box->SoloLectur = row.soloLectur != 0 ? 1 : 0;
        box->PintarEn = row.pintarEn;
        box->Identifica = row.identifica;
        box->StrValidac = row.strValidac;
        box->FicheroTab = row.ficheroTab;
        box->Base = row.base;
        box->NombreVent = row.nombreVent;
        box->AdmitNega = row.admitNega != 0 ? 1 : 0;
        box->Pintacero = row.pintacero != 0 ? 1 : 0;
        // The language rows stand in the same order: searched forward from the last one found.
        for (std::size_t t = nextText; t < languageRows.size(); ++t) {
          if (!db::SameText(languageRows[t].number, row.number)) continue;
          box->TituloVent = languageRows[t].title;
          box->prompt = languageRows[t].prompt;
          nextText = t;
          break;
        }
        box->rect = ScaledRect(row, scale);
        box->ApplyFormatSpec();
        box->loadedReadOnly = box->SoloLectur;
        boxes_.push_back(std::move(box));
      }
      loaded = true;
    }
  }
  if (!loaded) {
    Report(kStrCannotInitPage, false);
    return false;
  }
  BindPageData(0);
  RefreshSheet(1);
  return true;
}

bool CPageBoxList::LoadBoxesNoGeometry(int pageCode) {
  const std::shared_ptr<const ControlRows> rows = PageControls(tables_.local, PageCodeText(pageCode));
  if (!rows || rows->empty()) {
    Report(kStrCannotInitPage, false);
    BindPageData(1);
    return false;
  }
  for (const ControlRow& row : *rows) {
    auto box = std::make_unique<CBoxField>();
    box->pageCode = std::atoi(row.page.c_str());
    box->IndNumero = std::atoi(row.number.c_str());
    box->NumeroDeCo = row.numeroDeCo;
    box->PintarEn = row.pintarEn;
    box->Identifica = row.identifica;
    box->StrValidac = row.strValidac;
    box->ApplyFormatSpec();
    boxes_.push_back(std::move(box));
  }
  RefreshSheet(1);
  BindPageData(1);
  return true;
}

void CPageBoxList::ReloadBoxCoordinates(double scale, int pageCode) {
  const std::shared_ptr<const ControlRows> rows = PageControls(tables_.local, PageCodeText(pageCode));
  if (!rows || rows->empty()) {
    Report(kStrControlsDamaged, true);
    return;
  }
  for (int i = 0; i < static_cast<int>(rows->size()) && i < GetSize(); ++i)
    GetAt(i)->rect = ScaledRect((*rows)[static_cast<std::size_t>(i)], scale);
}

bool CPageBoxList::PageHasBoxes(db::CAdoConnection* local, int pageCode) {
  const std::shared_ptr<const ControlRows> rows = PageControls(local, PageCodeText(pageCode));
  return rows && !rows->empty();
}

void CPageBoxList::ClearBoxes() {
  ReleasePageData();
  boxes_.clear();
}

}  // namespace forms
