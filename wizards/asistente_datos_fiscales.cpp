#include "wizards/asistente_datos_fiscales.h"

#include <algorithm>

#include "blocks/family_entries.h"
#include "blocks/form100.h"
#include "data/db/ado.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "ui/messages.h"
#include "wizards/datos_fiscales_incorporados_dlg.h"
#include "wizards/df_trabajo.h"
#include "wizards/fiscal_helpers.h"
#include "wizards/fiscal_layout_db.h"
#include "wizards/progreso_importacion_dlg.h"

namespace fiscal {

ImportSession& SharedImportSession() {
  static ImportSession session;
  return session;
}

std::string ImportEnvironment::RegionText(int k) const {
  const blocks::Text field = f100::wizard_personal::RegionCode(k);
  if (block.size() < f100::kBlockSize || k < 0 || k > 4) return {};
  return std::string(field.raw(block.data()));
}

int ImportEnvironment::Region(int k) const {
  const std::string text = RegionText(k);
  if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return 0;
  return (text[0] - '0') * 10 + (text[1] - '0');
}

std::string ImportEnvironment::MemberNif(int member) const {
  if (block.size() < f100::kBlockSize || member < 1 || member > 4) return {};
  const blocks::Text nif{f100::family::HolderNif.off + 9u * static_cast<std::size_t>(member), 9};
  return std::string(nif.raw(f100::record(block.data(), f100::Family)));
}

}  // namespace fiscal

namespace {
constexpr const char* kFinishQuestion = "100P053";
constexpr const char* kTable = "DATOSFISC";
constexpr std::size_t kKeyWidth = 50;
}  // namespace

CAsistenteDatosFiscales::CAsistenteDatosFiscales(const QString& caption, const QString& path, bool& failed,
                                                 const fiscal::ImportEnvironment& environment, QWidget* parent,
                                                 int startPage)
    : CAsistente(caption, parent, startPage), env_(environment) {
  if (!env_.session) env_.session = &ownSession_;
  failed = true;
  layout_ = fiscal::LoadLayout(env_.local, env_.language);
  if (!ReadFile(path)) return;

  // One page per run of records of one kind, in file order.
  for (const fiscal::Run& run : file_.runs) {
    auto page = std::make_unique<CDFTrabajo>(QString::fromStdString(run.key));
    page->owner = this;
    for (std::size_t r : run.records) page->lines.push_back(file_.records[r].line);
    slots_[static_cast<std::size_t>(slotCount_++)] = std::move(page);
  }
  // The pages of the kinds of DFListas<L> come first, in its order; the others are never shown.
  const std::vector<std::size_t> placed = fiscal::PlacePages(file_, layout_);
  std::array<std::unique_ptr<CDFTrabajo>, fiscal::kPageSlots> ordered{};
  int next = 1;
  for (std::size_t run : placed) ordered[static_cast<std::size_t>(next++)] = std::move(slots_[run + 1]);
  for (int k = 1; k < slotCount_; ++k)
    if (slots_[static_cast<std::size_t>(k)]) ordered[static_cast<std::size_t>(next++)] = std::move(slots_[static_cast<std::size_t>(k)]);
  slots_ = std::move(ordered);
  for (int k = 1; k < slotCount_; ++k) {
    CDFTrabajo* page = slots_[static_cast<std::size_t>(k)].get();
    page->pageNumber = k;
    transfer_.pageKeys[static_cast<std::size_t>(k)] = page->Key().toStdString();
    if (k <= static_cast<int>(placed.size())) AddPage(page);
  }
  failed = false;
}

CAsistenteDatosFiscales::~CAsistenteDatosFiscales() {
  for (auto& page : slots_) page.reset();
}

bool CAsistenteDatosFiscales::ReadFile(const QString& path) {
  std::optional<fiscal::FiscalFile> read;
  {
    CProgresoImportacionDlg progress;
    read = fiscal::OpenFiscalFile(path, layout_, nullptr, [this, &progress](int percent) {
      progressShown_.push_back(percent);
      progress.SetPos(percent);
      progress.PumpMessages();
    });
    progress.Close();
  }
  if (!read) return false;
  // A file without records would make a wizard without pages.
  if (read->runs.empty()) {
    fiscal::ShowStringMessage(fiscal::kMsgDamaged);
    return false;
  }
  file_ = std::move(*read);
  return true;
}

void CAsistenteDatosFiscales::SetMember(int member, int memberRegion, int householdRegion) {
  transfer_.member = member;
  transfer_.memberRegion = memberRegion;
  transfer_.householdRegion = householdRegion;
}

CDFTrabajo* CAsistenteDatosFiscales::Slot(int k) const {
  return k >= 1 && k < fiscal::kPageSlots ? slots_[static_cast<std::size_t>(k)].get() : nullptr;
}

int CAsistenteDatosFiscales::OnCommand(int id, int code) {
  if (code != ui::kBnClicked) return CAsistente::OnCommand(id, code);
  switch (id) {
    case kIdWizFinish: {
      if (ui::ShowMessage(this, QString::fromLatin1(kFinishQuestion), platform::kIconAsterisk) != kAnsAceptar) {
        if (CDFTrabajo* last = LastPage()) last->OnSetActive();
        return 1;
      }
      finishing = true;
      if (CDFTrabajo* last = LastPage()) last->OnKillActive();
      Session().fundCount = transfer_.fundCount;
      Session().disabledNifCount = transfer_.disabledCount;
      if (transfer_.spouseRegimeMark) Session().spouseRegimeUsed = true;
      if (env_.markIncorporated) env_.markIncorporated();
      return CAsistente::OnCommand(id, code);
    }
    case kIdCancel:
      FreeListings();
      return CAsistente::OnCommand(id, code);
    case kIdHelp:
      platform::ShowHelp(kHelpTopic);
      return 1;
    default:
      return CAsistente::OnCommand(id, code);
  }
}

std::string CAsistenteDatosFiscales::IncorporatedText() const {
  std::string text;
  for (int k = 1; k < slotCount_; ++k)
    for (const std::string& line : slots_[static_cast<std::size_t>(k)]->Incorporated()) text += line;
  return text;
}

std::string CAsistenteDatosFiscales::NotIncorporatedText() const {
  std::string text;
  for (int k = 1; k < slotCount_; ++k)
    for (const std::string& line : slots_[static_cast<std::size_t>(k)]->NotIncorporated()) text += line;
  return text;
}

bool CAsistenteDatosFiscales::SaveFiscalData() {
  if (!env_.declarations) return false;
  const std::string yes = IncorporatedText(), no = NotIncorporatedText();
  std::string key = env_.declarationKey.substr(0, kKeyWidth);
  key.resize(kKeyWidth, ' ');
  const db::Filter row = db::Filter::Eq("CLAVE", key) && db::Filter::Eq("SUJETODECLA", std::int64_t{transfer_.member});
  db::Transaction transaction(*env_.declarations);
  {
    db::CAdoRecordset rs;
    if (rs.Open(kTable, env_.declarations, row))
      for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext())
        if (!rs.DeleteCurrent()) return false;
    if (!rs.IsOpen()) return false;
  }
  db::CAdoRecordset rs;
  rs.Open(kTable, env_.declarations, db::Filter::Eq("SUJETODECLA", std::int64_t{-1}));
  if (!rs.IsOpen()) return false;
  rs.SetDefaultBlockSize(0);
  auto bytes = [](const std::string& s) {
    return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  };
  const bool ok = rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", key) &&
                  rs.AddPendingInt("SUJETODECLA", transfer_.member) && rs.AddPendingBlob("FICHEROSI", bytes(yes)) &&
                  rs.AddPendingInt("TAMANOFICHEROSI", static_cast<std::int64_t>(yes.size())) &&
                  rs.AddPendingBlob("FICHERONO", bytes(no)) &&
                  rs.AddPendingInt("TAMANOFICHERONO", static_cast<std::int64_t>(no.size())) && rs.AppendPendingRow();
  return ok && transaction.Commit();
}

void CAsistenteDatosFiscales::ApplyFiscalData() {
  if (env_.apply) env_.apply(transfer_, Session());
}

void CAsistenteDatosFiscales::ShowReview() {
  if (!env_.declarations) return;
  fiscal_review::ShowIncorporatedFiscalData(env_.declarations, env_.declarationKey,
                                            env_.block.empty() ? nullptr : env_.block.data(), transfer_.member + 1,
                                            env_.runModal);
}

void CAsistenteDatosFiscales::FreeListings() {
  for (int k = 1; k < slotCount_; ++k) slots_[static_cast<std::size_t>(k)]->FreeListings();
}
