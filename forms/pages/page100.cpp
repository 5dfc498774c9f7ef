#include "forms/pages/page100.h"

#include "forms/pages/ord003.h"
#include "forms/pages/ord004.h"
#include "forms/pages/ord005.h"
#include "forms/pages/ord006.h"
#include "forms/pages/ord007.h"
#include "forms/pages/ord008.h"
#include "data/doc/renta_doc.h"

#include "forms/pages/ord001.h"
#include "forms/pages/ord002.h"
#include "forms/pages/ord009.h"
#include "forms/pages/ord010.h"
#include "forms/pages/ord011.h"
#include "forms/pages/ord012.h"
#include "forms/pages/ord013.h"
#include "forms/pages/ord014.h"
#include "forms/pages/ord015.h"
#include "forms/pages/ord016.h"
#include "forms/pages/ord017.h"
#include "forms/pages/firma.h"
#include "forms/pages/ord018.h"
#include "forms/pages/ord020.h"
#include "forms/pages/pagpdf.h"

namespace forms {

namespace {

std::span<std::uint8_t> DocumentBlock(IPageHost& host) {
  doc::CProg32Doc* d = host.PageDocument();
  return d ? d->Block() : std::span<std::uint8_t>();
}

}  // namespace

CPage100::CPage100(IPageHost& host, int pageCode, std::span<const RowArea> rowAreas, QWidget* parent)
    : CRentaVista(host, pageCode, std::make_unique<CBindingTableList>(pageCode, DocumentBlock(host), -1, rowAreas),
                  parent) {
  BindHeader(pageCode);
}

CPage100::CPage100(IPageHost& host, int pageCode, std::unique_ptr<CBindingTableList> list, QWidget* parent)
    : CRentaVista(host, pageCode, std::move(list), parent) {
  BindHeader(pageCode);
}

void CPage100::BindHeader(int pageCode) {
  // Pages 2 to 16 head every sheet with the NIF and the name of the member shown; page 5 has
  // the reference first.
  if (pageCode < 202 || pageCode > 216) return;
  auto* d = dynamic_cast<doc::CRentaDoc*>(GetDocument());
  if (!d || !Boxes()) return;
  d->FillHeaderIdentification();
  const int nif = pageCode == 205 ? 2 : 1;
  Boxes()->BindOutside(nif, d->HeaderIdentificationData());
  Boxes()->BindOutside(nif + 1, d->HeaderIdentificationData() + 9);
}

void CPage100::RecalculateAndCheck(std::initializer_list<int> checks, std::size_t record, std::size_t size) {
  if (doc::CProg32Doc* d = GetDocument()) {
    d->Calculate(1);
    if (d->Block().size() >= record + size)
      for (int check : checks) Host().RunFieldCheck(check, d->Block().data() + record);
  }
  if (CPageBoxList* list = BoxList()) list->RefreshBoxStates(0);
  RepaintBoxes();
  RepaintBoxes();
  if (doc::CProg32Doc* d = GetDocument()) d->Model().WrittenAll();
}

void CPage100::BindCopyLabel(int position) {
  if (auto* d = dynamic_cast<doc::CRentaDoc*>(GetDocument()); d && Boxes())
    Boxes()->BindOutside(position, d->PrintSheetState().copyLabel.data());
}

CScrollRowTable* CPage100::Table(int id) const { return Boxes() ? Boxes()->Table(id) : nullptr; }

int CPage100::EndEdit(int position, int result) {
  RepaintBoxes();
  RepaintBoxes();
  if (CPageBoxList* list = BoxList()) list->RefreshBoxStates(position);
  return result;
}

void CPage100::RecalculateDeclaration(bool markModified) {
  if (doc::CProg32Doc* d = GetDocument()) {
    d->Calculate(1);
    if (markModified) d->Model().WrittenAll();
  }
  RepaintBoxes();
  RepaintBoxes();
}

int CPage100::OnBoxSubDialogValue(int /*position*/) {
  RecalculateDeclaration(true);
  return 0;
}

void RegisterForm100Pages() {
  RegisterPage<ORD003>("ORD003");
  RegisterPage<ORD004>("ORD004");
  RegisterPage<ORD005>("ORD005");
  RegisterPage<ORD006>("ORD006");
  RegisterPage<ORD007>("ORD007");
  RegisterPage<ORD008>("ORD008");
  RegisterPage<ORD001>("ORD001");
  RegisterFamilyTableOpeners();
  RegisterPage<ORD002>("ORD002");
  RegisterPage<ORD009>("ORD009");
  RegisterPage<ORD010>("ORD010");
  RegisterPage<ORD011>("ORD011");
  RegisterPage<ORD012>("ORD012");
  RegisterPage<ORD013>("ORD013");
  RegisterPage<ORD014>("ORD014");
  RegisterPage<ORD015>("ORD015");
  RegisterPage<ORD016>("ORD016");
  RegisterPage<ORD017>("ORD017");
  RegisterSignaturePage();
  // Printed only: never in the document's page list.
  RegisterPage<ORD018>("ORD018");
  RegisterPage<ORD020>("ORD020");
  RegisterPage<PAGPDF>("PAGPDF");
}

}  // namespace forms
