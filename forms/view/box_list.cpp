#include "forms/view/box_list.h"

#include <QPainter>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "data/db/ado.h"

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

// Page units to device pixels, rounded outwards.
QRect ScaledRect(db::CAdoRecordset& rs, double scale) {
  const int l = static_cast<int>(std::floor(Int(rs, "Coor_1") * scale));
  const int t = static_cast<int>(std::floor(Int(rs, "Coor_2") * scale));
  const int r = static_cast<int>(std::ceil(Int(rs, "Coor_3") * scale));
  const int b = static_cast<int>(std::ceil(Int(rs, "Coor_4") * scale));
  return QRect(QPoint(l, t), QPoint(r, b));
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
  const db::Filter filter = db::Filter::Eq("INDICEFICH", PageCodeText(pageCode));
  db::CAdoRecordset rows;
  bool loaded = false;
  if (tables_.local && rows.Open("ControlX", tables_.local, filter) && rows.IsNotAtEnd()) {
    db::CAdoRecordset texts;
    if (!texts.Open(db::LanguageTableName("ControlX", 7, tables_.language), tables_.local, filter) ||
        !texts.IsNotAtEnd()) {
      Report(kStrControlsDamaged, true);
    } else {
      // The page's language rows, read once: a search per box through the recordset would run a
      // query over the whole table each time.
      struct BoxTexts {
        std::string number, title, prompt;
      };
      std::vector<BoxTexts> languageRows;
      for (; texts.IsNotAtEnd(); texts.MoveNext())
        languageRows.push_back({Text(texts, "INDNUMERO", 64), Text(texts, "TituloVent", 49), Text(texts, "TEXTODIBUJ", 79)});
      std::size_t nextText = 0;
      for (; rows.IsNotAtEnd(); rows.MoveNext()) {
        auto box = std::make_unique<CBoxField>();
        box->pageCode = std::atoi(Text(rows, "IndiceFich", 4).c_str());
        const std::string number = Text(rows, "IndNumero", 6);
        box->IndNumero = std::atoi(number.c_str());
        box->fminternet = Text(rows, "fminternet", 7);
        box->Idinternet = Int(rows, "Idinternet");
        box->NumeroDeCo = Int(rows, "NumeroDeCo");
        box->SoloLectur = Int(rows, "SoloLectur") != 0 ? 1 : 0;
        box->PintarEn = Int(rows, "PintarEn");
        box->Identifica = Text(rows, "Identifica", 10);
        box->StrValidac = Text(rows, "StrValidac", 15);
        box->FicheroTab = Text(rows, "FicheroTab", 49);
        box->Base = Text(rows, "Base", 11);
        box->NombreVent = Text(rows, "NombreVent", 25);
        box->AdmitNega = Int(rows, "AdmitNega") != 0 ? 1 : 0;
        box->Pintacero = Int(rows, "Pintacero") != 0 ? 1 : 0;
        // The language rows stand in the same order: searched forward from the last one found.
        for (std::size_t t = nextText; t < languageRows.size(); ++t) {
          if (!db::SameText(languageRows[t].number, number)) continue;
          box->TituloVent = languageRows[t].title;
          box->prompt = languageRows[t].prompt;
          nextText = t;
          break;
        }
        box->rect = ScaledRect(rows, scale);
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
  db::CAdoRecordset rows;
  if (!tables_.local || !rows.Open("ControlX", tables_.local, db::Filter::Eq("INDICEFICH", PageCodeText(pageCode))) ||
      !rows.IsNotAtEnd()) {
    Report(kStrCannotInitPage, false);
    BindPageData(1);
    return false;
  }
  for (; rows.IsNotAtEnd(); rows.MoveNext()) {
    auto box = std::make_unique<CBoxField>();
    box->pageCode = std::atoi(Text(rows, "IndiceFich", 4).c_str());
    box->IndNumero = std::atoi(Text(rows, "IndNumero", 6).c_str());
    box->NumeroDeCo = Int(rows, "NumeroDeCo");
    box->PintarEn = Int(rows, "PintarEn");
    box->Identifica = Text(rows, "Identifica", 10);
    box->StrValidac = Text(rows, "StrValidac", 15);
    box->ApplyFormatSpec();
    boxes_.push_back(std::move(box));
  }
  RefreshSheet(1);
  BindPageData(1);
  return true;
}

void CPageBoxList::ReloadBoxCoordinates(double scale, int pageCode) {
  db::CAdoRecordset rows;
  if (!tables_.local || !rows.Open("ControlX", tables_.local, db::Filter::Eq("INDICEFICH", PageCodeText(pageCode))) ||
      !rows.IsNotAtEnd()) {
    Report(kStrControlsDamaged, true);
    return;
  }
  for (int i = 0; rows.IsNotAtEnd() && i < GetSize(); rows.MoveNext(), ++i) GetAt(i)->rect = ScaledRect(rows, scale);
}

bool CPageBoxList::PageHasBoxes(db::CAdoConnection* local, int pageCode) {
  db::CAdoRecordset rows;
  return local && rows.Open("ControlX", local, db::Filter::Eq("INDICEFICH", PageCodeText(pageCode))) &&
         rows.IsNotAtEnd();
}

void CPageBoxList::ClearBoxes() {
  ReleasePageData();
  boxes_.clear();
}

}  // namespace forms
