#include "wizards/datos_fam.h"

#include <QAbstractButton>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <vector>

#include "checks/validation_helper.h"
#include "data/doc/reference.h"
#include "data/doc/renta_doc.h"  // AgeAtDate
#include "data/util/utilities.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/box_edit.h"
#include "ui/lista_edit.h"
#include "ui/messages.h"
#include "ui/sel_str_edit.h"
#include "wizards/comprobacion_dlg.h"

namespace famwiz {
namespace {

using ui::Ctl;
namespace FW = f100::family_wizard;
constexpr int kCorregir = 8;
constexpr const char* kYearEnd = "31122003";
constexpr const char* kCommunityChangeCode = "WIN960";

// A field of a record that lies `base` bytes into the working block.
template <class F>
constexpr F At(std::size_t base, F f) {
  f.off += base;
  return f;
}
constexpr std::size_t kDesc = work::kDescendants, kAsc = work::kAscendants;

std::string Str(const void* rec, blocks::Text t) { return std::string(t.raw(rec)); }
int ReadInt(std::string_view text) { return CUtilities::ParseLeadingInt(text, static_cast<int>(text.size())); }

void EnableControl(QWidget* page, int id, bool on) {
  if (QWidget* w = ui::FindControl(page, id)) w->setEnabled(on);
}

// -------------------------------------------------------------------- personal page (IDD 72)

using C1 = CDatosFam1;
constexpr int kCivilGroup = 96100, kPersonsGroup = 96101, kMinorGroup = 96102;
const ui::ControlDef kPersonalControls[] = {
    {.id = kCivilGroup, .kind = Ctl::GroupBox, .textId = 96010, .row = 0, .col = 0, .colSpan = 3},
    {.id = C1::kSingle, .kind = Ctl::Box, .row = 0, .col = 0, .group = kCivilGroup, .field = work::CivilMark(0),
     .options = ui::kOptMemberEditable},
    {.kind = Ctl::Static, .textId = 96011, .row = 0, .col = 1, .group = kCivilGroup},
    {.id = C1::kMarried, .kind = Ctl::Box, .row = 0, .col = 2, .group = kCivilGroup, .field = work::CivilMark(1),
     .options = ui::kOptMemberEditable},
    {.kind = Ctl::Static, .textId = 96012, .row = 0, .col = 3, .group = kCivilGroup},
    {.id = C1::kWidowed, .kind = Ctl::Box, .row = 1, .col = 0, .group = kCivilGroup, .field = work::CivilMark(2),
     .options = ui::kOptMemberEditable},
    {.kind = Ctl::Static, .textId = 96013, .row = 1, .col = 1, .group = kCivilGroup},
    {.id = C1::kSeparated, .kind = Ctl::Box, .row = 1, .col = 2, .group = kCivilGroup, .field = work::CivilMark(3),
     .options = ui::kOptMemberEditable},
    {.kind = Ctl::Static, .textId = 96014, .row = 1, .col = 3, .group = kCivilGroup},
    {.id = kMinorGroup, .kind = Ctl::GroupBox, .textId = 96015, .row = 1, .col = 0, .colSpan = 3},
    {.id = C1::kMinorNo, .kind = Ctl::Radio, .textId = 96016, .row = 0, .col = 0, .group = kMinorGroup,
     .field = work::MinorAnswer, .radioGroup = 1, .code = 0},
    {.id = C1::kMinorYes, .kind = Ctl::Radio, .textId = 96017, .row = 0, .col = 1, .group = kMinorGroup,
     .field = work::MinorAnswer, .radioGroup = 1, .code = 1},
    {.id = C1::kOtherParent, .kind = Ctl::Box, .row = 2, .col = 0, .field = P::OtherParentDied},
    {.kind = Ctl::Static, .textId = 96018, .row = 2, .col = 1, .colSpan = 2},
    {.id = kPersonsGroup, .kind = Ctl::GroupBox, .row = 3, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 96019, .row = 0, .col = 1, .group = kPersonsGroup},
    {.kind = Ctl::Static, .textId = 96020, .row = 0, .col = 2, .group = kPersonsGroup},
    {.kind = Ctl::Static, .textId = 96021, .row = 1, .col = 0, .group = kPersonsGroup},
    {.id = C1::kDeclNif, .kind = Ctl::Edit, .row = 1, .col = 1, .group = kPersonsGroup, .width = 9, .field = P::Nif(0)},
    {.id = C1::kSpouseNif, .kind = Ctl::Edit, .row = 1, .col = 2, .group = kPersonsGroup, .width = 9,
     .field = P::Nif(1)},
    {.kind = Ctl::Static, .textId = 96022, .row = 2, .col = 0, .group = kPersonsGroup},
    {.id = C1::kDeclBirth, .kind = Ctl::Date, .row = 2, .col = 1, .group = kPersonsGroup, .width = 8,
     .field = P::DeclarantBirth, .options = ui::kOptMemberEditable},
    {.id = C1::kSpouseBirth, .kind = Ctl::Date, .row = 2, .col = 2, .group = kPersonsGroup, .width = 8,
     .field = P::SpouseBirth, .options = ui::kOptMemberEditable},
    {.kind = Ctl::Static, .textId = 96023, .row = 3, .col = 0, .group = kPersonsGroup},
    {.id = C1::kDeclDisability, .kind = Ctl::Lista, .row = 3, .col = 1, .group = kPersonsGroup, .width = 1,
     .field = P::Disability(0), .options = ui::kOptMemberEditable, .table = "CLAVMINE.TAB"},
    {.id = C1::kSpouseDisability, .kind = Ctl::Lista, .row = 3, .col = 2, .group = kPersonsGroup, .width = 1,
     .field = P::Disability(1), .options = ui::kOptMemberEditable, .table = "CLAVMINE.TAB"},
    {.kind = Ctl::Static, .textId = 96024, .row = 4, .col = 0, .colSpan = 2},
    {.id = C1::kDeath, .kind = Ctl::Date, .row = 4, .col = 2, .width = 8, .field = P::DeclarantDeath,
     .options = ui::kOptMemberEditable},
    {.kind = Ctl::Static, .textId = 96025, .row = 5, .col = 0, .colSpan = 2},
    {.id = C1::kNonResident, .kind = Ctl::Box, .row = 5, .col = 2, .field = work::PageNonResident,
     .options = ui::kOptMemberEditable},
};
const ui::DialogTemplate kPersonalTemplate{.id = 72, .captionId = 96000, .controls = kPersonalControls,
                                           .helpTopic = 61};

// -------------------------------------------------------------------- descendants page (IDD 265)

// Control ids column by column (H1, H2, name, NIF, birth, adoption, disability, link, other
// situations, income, own return, death), rows 1 to 12.
constexpr int kDescendantIds[CDescendientes::kColumns][CDescendientes::kRows] = {
    {24654, 24655, 24656, 24657, 24658, 24659, 24660, 24661, 24662, 24663, 24664, 24665},
    {392, 393, 394, 395, 396, 397, 398, 399, 400, 401, 402, 403},
    {434, 548, 610, 669, 707, 747, 782, 809, 831, 852, 832, 853},
    {415, 540, 603, 663, 702, 741, 778, 805, 829, 850, 830, 851},
    {450, 556, 618, 675, 712, 752, 785, 813, 833, 854, 834, 855},
    {517, 591, 648, 694, 732, 770, 802, 825, 858, 870, 859, 873},
    {467, 567, 626, 680, 717, 756, 789, 817, 837, 856, 838, 857},
    {481, 575, 633, 684, 721, 760, 793, 820, 841, 860, 842, 861},
    {503, 583, 640, 689, 726, 764, 798, 822, 844, 864, 845, 865},
    {516, 590, 647, 693, 731, 769, 801, 824, 846, 868, 847, 869},
    {532, 596, 656, 697, 735, 775, 803, 826, 848, 872, 849, 871},
    {451, 557, 619, 676, 713, 753, 786, 814, 835, 862, 836, 863},
};
struct Column {
  Ctl kind;
  int width;
  ui::FieldRef field;
  int heading;
};
const Column kDescendantColumns[CDescendientes::kColumns] = {
    {Ctl::Box, 1, At(kDesc, D::H1), 96030},         {Ctl::Box, 1, At(kDesc, D::H2), 96031},
    {Ctl::Custom, 15, At(kDesc, D::GivenName), 96032}, {Ctl::Edit, 9, At(kDesc, D::Nif), 96033},
    {Ctl::Date, 8, At(kDesc, D::BirthDate), 96022}, {Ctl::Date, 8, At(kDesc, D::AdoptionDate), 96035},
    {Ctl::Edit, 1, At(kDesc, D::Disability), 96036}, {Ctl::Edit, 1, At(kDesc, D::Link), 96037},
    {Ctl::Edit, 1, At(kDesc, D::Situation), 96038}, {Ctl::Box, 1, At(kDesc, D::Income), 96039},
    {Ctl::Box, 1, At(kDesc, D::OwnReturn), 96040},  {Ctl::Box, 1, At(kDesc, D::DeathFlag), 96041},
};

std::vector<int> ColumnOrder(const int* ids, int columns, int rows) { return {ids, ids + columns * rows}; }

const std::vector<ui::ControlDef>& DescendantControls() {
  static const std::vector<ui::ControlDef> controls = [] {
    std::vector<ui::ControlDef> v;
    for (int c = 0; c < CDescendientes::kColumns; ++c) {
      const Column& col = kDescendantColumns[c];
      v.push_back({.kind = Ctl::Static, .textId = col.heading, .row = 0, .col = c});
      for (int r = 0; r < CDescendientes::kRows; ++r)
        v.push_back({.id = kDescendantIds[c][r], .kind = col.kind, .row = 1 + r, .col = c, .width = col.width,
                     .field = col.field});
    }
    v.push_back({.kind = Ctl::Static, .textId = 96042, .row = 13, .col = 0, .colSpan = CDescendientes::kColumns});
    v.push_back({.kind = Ctl::Static, .textId = 96043, .row = 14, .col = 0, .colSpan = CDescendientes::kColumns});
    return v;
  }();
  return controls;
}
const ui::DialogTemplate& DescendantTemplate() {
  static const ui::DialogTemplate t{.id = 265, .captionId = 96001, .controls = DescendantControls(), .helpTopic = 58};
  return t;
}
const ui::RowLayout& DescendantRows() {
  static const ui::RowLayout rows{.rows = CDescendientes::kRows, .columns = CDescendientes::kColumns,
                                  .first = static_cast<unsigned>(kDesc), .stride = D::kSize,
                                  .cells = std::span<const int>(&kDescendantIds[0][0], 144)};
  return rows;
}

// The name field of a descendant row: Delete removes the descendant, anything else opens the dialog.
class CDescendantNameEdit : public CSelStrEdit {
 public:
  CDescendantNameEdit(int row, QWidget* parent) : CSelStrEdit(15, "IDD_DATOSHIJO", row, parent) {
    SetOption(&link_);
  }
  bool dialogEditable = true;

 private:
  int link_ = 0;  // the row link: the opener finds the row by the edit's row index
};

// -------------------------------------------------------------------- descendant dialog (IDD 71)

using CH = CDatoshijoDlg;
const ui::ControlDef kChildControls[] = {
    {.kind = Ctl::Static, .textId = 96080, .row = 0, .col = 0},
    {.id = CH::kGiven, .kind = Ctl::Alfa, .row = 0, .col = 1, .width = 15, .field = D::GivenName},
    {.kind = Ctl::Static, .textId = 96081, .row = 1, .col = 0},
    {.id = CH::kSurname1, .kind = Ctl::Alfa, .row = 1, .col = 1, .width = 15, .field = D::Surname1},
    {.kind = Ctl::Static, .textId = 96082, .row = 2, .col = 0},
    {.id = CH::kSurname2, .kind = Ctl::Alfa, .row = 2, .col = 1, .width = 15, .field = D::Surname2},
    {.kind = Ctl::Static, .textId = 96083, .row = 3, .col = 0},
    {.id = CH::kNif, .kind = Ctl::Edit, .row = 3, .col = 1, .width = 9, .field = D::Nif},
    {.kind = Ctl::Static, .textId = 96022, .row = 4, .col = 0},
    {.id = CH::kBirth, .kind = Ctl::Date, .row = 4, .col = 1, .width = 8, .field = D::BirthDate},
    {.kind = Ctl::Static, .textId = 96023, .row = 5, .col = 0},
    {.id = CH::kDisability, .kind = Ctl::Lista, .row = 5, .col = 1, .width = 1, .field = D::Disability,
     .table = "CLAVMINE.TAB"},
    {.kind = Ctl::Static, .textId = 96037, .row = 6, .col = 0},
    {.id = CH::kLink, .kind = Ctl::Lista, .row = 6, .col = 1, .width = 1, .field = D::Link, .table = "VINCESPE.TAB"},
    {.kind = Ctl::Static, .textId = 96038, .row = 7, .col = 0},
    {.id = CH::kSituation, .kind = Ctl::Lista, .row = 7, .col = 1, .width = 1, .field = D::Situation,
     .table = "OTRSITUE.TAB"},
    {.kind = Ctl::Static, .textId = 96084, .row = 8, .col = 0},
    {.id = CH::kAdoption, .kind = Ctl::Date, .row = 8, .col = 1, .width = 8, .field = D::AdoptionDate},
    {.kind = Ctl::Static, .textId = 96088, .row = 9, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 96085, .row = 10, .col = 0},
    {.id = CH::kIncome, .kind = Ctl::Box, .row = 10, .col = 1, .field = D::Income},
    {.kind = Ctl::Static, .textId = 96086, .row = 11, .col = 0},
    {.id = CH::kOwnReturn, .kind = Ctl::Box, .row = 11, .col = 1, .field = D::OwnReturn},
    {.kind = Ctl::Static, .textId = 96087, .row = 12, .col = 0},
    {.id = CH::kDeath, .kind = Ctl::Date, .row = 12, .col = 1, .width = 8, .field = D::DeathDate},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 13, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 13, .col = 1},
};
const ui::DialogTemplate kChildTemplate{.id = 71, .captionId = 96005, .controls = kChildControls};

// -------------------------------------------------------------------- ascendants page (IDD 268)

constexpr int kAscendantIds[6][4] = {{1427, 1430, 1433, 1435}, {1437, 1440, 1442, 1444}, {1447, 1449, 1452, 1454},
                                     {1456, 1459, 1462, 1465}, {1467, 1469, 1472, 1473}, {1474, 1476, 1478, 1480}};
struct AscColumn {
  Ctl kind;
  int width;
  ui::FieldRef field;
  int heading;
  const char* table;
};
const AscColumn kAscendantColumns[6] = {
    {Ctl::Edit, 9, At(kAsc, A::Nif), 96033, nullptr},
    {Ctl::Alfa, 33, At(kAsc, A::Name), 96050, nullptr},
    {Ctl::Date, 8, At(kAsc, A::BirthDate), 96022, nullptr},
    {Ctl::Lista, 1, At(kAsc, A::Disability), 96036, "CLAVMINE.TAB"},
    {Ctl::Lista, 1, At(kAsc, A::Link), 96037, "VINESASE.TAB"},
    {Ctl::Double, 1, At(kAsc, A::Cohabitation), 96051, nullptr},
};
const std::vector<ui::ControlDef>& AscendantControls() {
  static const std::vector<ui::ControlDef> controls = [] {
    std::vector<ui::ControlDef> v;
    for (int c = 0; c < 6; ++c) {
      const AscColumn& col = kAscendantColumns[c];
      v.push_back({.kind = Ctl::Static, .textId = col.heading, .row = 0, .col = c});
      for (int r = 0; r < 4; ++r)
        v.push_back({.id = kAscendantIds[c][r], .kind = col.kind, .row = 1 + r, .col = c, .width = col.width,
                     .field = col.field, .options = ui::kOptMemberEditable,
                     .table = col.table});
    }
    v.push_back({.kind = Ctl::Static, .textId = 96052, .row = 5, .col = 0, .colSpan = 6});
    return v;
  }();
  return controls;
}
const ui::DialogTemplate& AscendantTemplate() {
  static const ui::DialogTemplate t{.id = 268, .captionId = 96002, .controls = AscendantControls(), .helpTopic = 59};
  return t;
}
const ui::RowLayout& AscendantRows() {
  static const ui::RowLayout rows{.rows = 4, .columns = 6, .first = static_cast<unsigned>(kAsc), .stride = A::kSize,
                                  .cells = std::span<const int>(&kAscendantIds[0][0], 24)};
  return rows;
}

// -------------------------------------------------------------------- additional data page (IDD 1757)

// Ids per vector (male, female, prolonged, mobility) and holder 2..5.
constexpr int kMarkIds[4][4] = {
    {24588, 24590, 24594, 24596}, {24589, 24591, 24595, 24597}, {24592, 24593, 0, 0}, {24600, 24601, 24602, 24603}};
constexpr int kWorkerIds[4] = {465, 492, 479, 502};
constexpr std::size_t kVectors[4] = {FW::kMale, FW::kFemale, FW::kProlonged, FW::kMobility};
constexpr int kSexGroup = 96103, kProlongedGroup = 96104, kWorkerGroup = 96105, kMobilityGroup = 96106;
const std::vector<ui::ControlDef>& AdditionalControls() {
  static const std::vector<ui::ControlDef> controls = [] {
    std::vector<ui::ControlDef> v;
    const int heads[4] = {96019, 96020, 96068, 96069};
    const int groups[4] = {kSexGroup, kProlongedGroup, kWorkerGroup, kMobilityGroup};
    const int groupText[4] = {96060, 96063, 96065, 96066};
    for (int g = 0; g < 4; ++g) {
      v.push_back({.id = groups[g], .kind = Ctl::GroupBox, .textId = groupText[g], .row = g, .col = 0});
      // Only the declarant and the spouse can go on working past 65.
      for (int h = 0; h < (groups[g] == kProlongedGroup ? 2 : 4); ++h)
        v.push_back({.kind = Ctl::Static, .textId = heads[h], .row = 0, .col = 1 + h, .group = groups[g]});
    }
    for (int s = 0; s < 2; ++s) {
      v.push_back({.kind = Ctl::Static, .textId = 96061 + s, .row = 1 + s, .col = 0, .group = kSexGroup});
      for (int h = 0; h < 4; ++h)
        v.push_back({.id = kMarkIds[s][h], .kind = Ctl::Box, .row = 1 + s, .col = 1 + h, .group = kSexGroup,
                     .field = work::Mark(kVectors[s], 2 + h)});
    }
    v.push_back({.kind = Ctl::Static, .textId = 96064, .row = 1, .col = 0, .group = kProlongedGroup});
    for (int h = 0; h < 2; ++h)
      v.push_back({.id = kMarkIds[2][h], .kind = Ctl::Box, .row = 1, .col = 1 + h, .group = kProlongedGroup,
                   .field = work::Mark(FW::kProlonged, 2 + h)});
    for (int h = 0; h < 4; ++h)
      v.push_back({.id = kWorkerIds[h], .kind = Ctl::Lista, .row = 1, .col = 1 + h, .group = kWorkerGroup, .width = 1,
                   .field = P::WorkerKey(h), .table = "CLATAMIE.TAB"});
    v.push_back({.kind = Ctl::Static, .textId = 96067, .row = 1, .col = 0, .group = kMobilityGroup});
    for (int h = 0; h < 4; ++h)
      v.push_back({.id = kMarkIds[3][h], .kind = Ctl::Box, .row = 1, .col = 1 + h, .group = kMobilityGroup,
                   .field = work::Mark(FW::kMobility, 2 + h)});
    return v;
  }();
  return controls;
}
const ui::DialogTemplate& AdditionalTemplate() {
  static const ui::DialogTemplate t{.id = 1757, .captionId = 96003, .controls = AdditionalControls()};
  return t;
}

// -------------------------------------------------------------------- region page (IDD 17)

const std::vector<ui::ControlDef>& RegionControls() {
  static const std::vector<ui::ControlDef> controls = [] {
    std::vector<ui::ControlDef> v;
    const int labels[5] = {96070, 96019, 96020, 96068, 96069};
    for (int k = 0; k < 5; ++k) {
      v.push_back({.kind = Ctl::Static, .textId = labels[k], .row = k, .col = 0});
      v.push_back({.id = CComauto::kNameIds[k], .kind = Ctl::Lista, .row = k, .col = 1, .width = 30,
                   .field = P::RegionName(k), .options = ui::kOptMemberEditable, .table = "COMAUTOE.TAB"});
      v.push_back({.id = CComauto::kCodeIds[k], .kind = Ctl::Edit, .row = k, .col = 2, .width = 2,
                   .field = P::RegionCode(k), .options = ui::kOptDisabled | ui::kOptReadOnly});
    }
    return v;
  }();
  return controls;
}
const ui::DialogTemplate& RegionTemplate() {
  static const ui::DialogTemplate t{.id = 17, .captionId = 96004, .controls = RegionControls()};
  return t;
}

}  // namespace

// ==================================================================== CDatosFam1

CDatosFam1::CDatosFam1(CDatosFam& wizard) : CTemplatePropPg(kPersonalTemplate), wizard_(wizard), binding_(this, kPersonalTemplate) {}

void CDatosFam1::OnInitDialog() {
  CTemplatePropPg::OnInitDialog();
  Block& b = wizard_.Work();
  work::PageNonResident.set(b.data(), work::NonResident.get(b.data()));
  work::MinorAnswer.set(b.data(), P::MinorChildren.get(Personal(b)) == 1 ? 1 : 0);
  const int status = std::min<int>(P::CivilStatus.get(Personal(b)), 3);
  for (int s = 0; s < 4; ++s) work::CivilMark(s).set(b.data(), s == status ? 1 : 0);
  binding_.Bind(b);
  for (int id : {kMinorNo, kMinorYes})
    if (auto* r = Item<QAbstractButton>(id)) connect(r, &QAbstractButton::clicked, this, [this] { OnMinorChildrenClicked(); });
  RefreshControls();
  Reload();
}

void CDatosFam1::Enable(int id, bool on) { EnableControl(this, id, on); }

void CDatosFam1::StoreCivilStatus() {
  std::uint8_t* w = wizard_.Work().data();
  std::uint8_t* p = Personal(wizard_.Work());
  if (work::CivilMark(0).get(w)) {
    P::CivilStatus.set(p, 0);
    work::CivilMark(2).set(w, 0);
  }
  if (work::CivilMark(1).get(w)) P::CivilStatus.set(p, 1);
  if (work::CivilMark(2).get(w)) P::CivilStatus.set(p, 2);
  if (work::CivilMark(3).get(w)) {
    P::CivilStatus.set(p, 3);
    work::CivilMark(2).set(w, 0);
  }
  Reload();
}

void CDatosFam1::RefreshControls() {
  Block& b = wizard_.Work();
  std::uint8_t* p = Personal(b);
  P::BirthYear(0).clear(p, '\0');
  P::BirthYear(1).clear(p, '\0');
  if (!P::DeclarantBirth.isAbsent(p)) P::BirthYear(0).set(p, P::DeclarantBirth.raw(p).substr(4, 4));
  if (!P::SpouseBirth.isAbsent(p)) P::BirthYear(1).set(p, P::SpouseBirth.raw(p).substr(4, 4));
  const bool married = work::CivilMark(1).get(b.data()) != 0;
  const bool nonResident = work::PageNonResident.get(b.data()) != 0;
  if (wizard_.Joint()) {
    Enable(kDeath, false);
    P::DeclarantDeath.clear(p, '\0');
    Enable(kMinorNo, true);
    Enable(kMinorYes, true);
    const bool status1 = P::CivilStatus.get(p) == 1;
    Enable(kOtherParent, !status1);
    if (status1) P::OtherParentDied.set(p, 0);
  } else {
    Enable(kDeath, true);
    Enable(kOtherParent, false);
    Enable(kMinorNo, false);
    Enable(kMinorYes, false);
  }
  const bool spouseOn = married && !nonResident;
  Enable(kSpouseDisability, spouseOn);
  Enable(kSpouseBirth, spouseOn);
  if (spouseOn) Enable(kSpouseNif, true);
  else if (!nonResident) Enable(kSpouseNif, false);
  Enable(kNonResident, married && !wizard_.Joint());
  if (work::CivilMark(3).get(b.data())) Enable(kSpouseNif, false);
  wizard_.ClearUnusedMemberData();
  if (!wizard_.StepByStep())
    for (int id : {kSingle, kMarried, kWidowed, kSeparated, kMinorNo, kMinorYes, kNonResident, kDeath}) Enable(id, false);
  Reload();
}

bool CDatosFam1::HasChildMembers() const { return wizard_.FindChild1Entry(-1) >= 0 || wizard_.FindChild2Entry(-1) >= 0; }

int CDatosFam1::OnEditValueChanged(int id) {
  Block& b = wizard_.Work();
  std::uint8_t* w = b.data();
  std::uint8_t* p = Personal(b);
  const int markOf[4] = {kSingle, kMarried, kWidowed, kSeparated};
  const int* found = std::find(std::begin(markOf), std::end(markOf), id);
  if (found != std::end(markOf)) {
    const int status = static_cast<int>(found - markOf);
    if (status != 1) {
      const bool spouseData = !Blank(P::WorkerKey(1).get(p)) || !P::RegionCode(2).isAbsent(p) ||
                              !P::RegionName(2).isAbsent(p) || !P::SpouseBirth.isAbsent(p) ||
                              !Blank(P::Disability(1).get(p)) || !P::Nif(1).isAbsent(p) ||
                              !P::BirthYear(1).isAbsent(p);
      if (P::CivilStatus.get(p) == 1 && spouseData &&
          wizard_.Show("100P017", platform::kIconHand) == kCorregir) {
        work::CivilMark(status).set(w, 0);
        Reload();
        return 1;
      }
      P::SpouseBirth.clear(p, '\0');
      work::PageNonResident.set(w, 0);
      if (status == 0) work::NonResident.set(w, 0);
    }
    for (int s = 0; s < 4; ++s) work::CivilMark(s).set(w, s == status ? 1 : 0);
    Reload();
    wizard_.ClearUnusedMemberData();
    StoreCivilStatus();
    RefreshControls();
    if (QWidget* m = GetDlgItem(id)) m->setFocus();
  } else if (id == kNonResident) {
    if (work::PageNonResident.get(w)) {
      work::NonResident.set(w, 1);
      P::Region(2).clear(p);
      if (work::MinorAnswer.get(w) == 0) P::Region(0).clear(p);
      P::BirthYear(1).clear(p, '\0');
      P::SpouseBirth.clear(p, '\0');
      P::Disability(1).set(p, 0);
      P::WorkerKey(1).set(p, 0);
    }
    work::NonResident.set(w, work::PageNonResident.get(w));
    RefreshControls();
  }
  wizard_.ClearUnusedMemberData();
  Reload();
  return 1;
}

int CDatosFam1::OnEditValueCleared(int id) {
  if (id == kSingle || id == kMarried || id == kWidowed || id == kSeparated) {
    std::uint8_t* w = wizard_.Work().data();
    for (int s = 0; s < 4; ++s) work::CivilMark(s).set(w, s == 0 ? 1 : 0);
    StoreCivilStatus();
    OnEditValueChanged(kSingle);
  }
  return 1;
}

void CDatosFam1::OnMinorChildrenClicked() {
  binding_.Store();
  std::uint8_t* w = wizard_.Work().data();
  const std::uint8_t answer = work::MinorAnswer.get(w);
  if (answer == 0 && HasChildMembers()) wizard_.Show("100R137", platform::kIconAsterisk);
  P::MinorChildren.set(Personal(wizard_.Work()), answer);
  if (answer == 0) wizard_.ClearUnusedMemberData();
  Reload();
  RefreshControls();
}

int CDatosFam1::OnEditKillFocus(int id) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || id == 2 || ui::ControlId(focus) == 2) return 1;
  std::uint8_t* p = Personal(wizard_.Work());
  const FieldCheck& check = wizard_.Check();
  auto run = [&](int number, void* value) { return check ? check(number, value) : 1; };
  auto back = [&](int to) {
    if (QWidget* w = GetDlgItem(to)) w->setFocus();
  };
  auto deathNotAfterBirth = [&] {
    return !P::DeclarantDeath.isAbsent(p) && !P::DeclarantBirth.isAbsent(p) &&
           !checks::CValidationHelper::IsDateOnOrAfter(P::DeclarantDeath.raw(p), P::DeclarantBirth.raw(p), true);
  };
  switch (id) {
    case kDeclBirth:
    case kSpouseBirth: {
      const blocks::Text date = id == kDeclBirth ? P::DeclarantBirth : P::SpouseBirth;
      if (!run(5, p + date.off)) break;
      RefreshControls();
      if (!date.isAbsent(p) && !run(101, p + date.off + 4)) {
        date.clear(p, '\0');
        back(id);
        break;
      }
      if (id == kDeclBirth && deathNotAfterBirth()) {
        wizard_.Show("100R040", platform::kIconHand);
        P::DeclarantDeath.clear(p, '\0');
        back(id);
      }
      break;
    }
    case kDeath:
      if (P::DeclarantDeath.isAbsent(p)) break;
      wizard_.ClearUnusedMemberData();
      if (P::DeclarantDeath.raw(p) == kYearEnd) {
        wizard_.Show("WIN005", platform::kIconExclamation);
        P::DeclarantDeath.clear(p, '\0');
        back(id);
      } else if (!run(15, p + P::DeclarantDeath.off)) {
        P::DeclarantDeath.clear(p, '\0');
        back(id);
      } else if (deathNotAfterBirth()) {
        wizard_.Show("100R040", platform::kIconHand);
        P::DeclarantDeath.clear(p, '\0');
        back(id);
      }
      RefreshControls();
      break;
    case kDeclNif:
    case kSpouseNif:
      if (!run(21, p + (id == kDeclNif ? P::Nif(0) : P::Nif(1)).off)) back(id);
      break;
    default: return 1;
  }
  Reload();
  return 1;
}

// ==================================================================== CDescendientes

CDescendientes::CDescendientes(CDatosFam& wizard)
    : CTemplatePropPg(DescendantTemplate()), wizard_(wizard), binding_(this, DescendantTemplate()) {}

int CDescendientes::IdAt(int column, int row) { return kDescendantIds[column][row]; }

QWidget* CDescendientes::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  for (int r = 0; r < kRows; ++r)
    if (def.id == IdAt(2, r)) {
      auto* edit = new CDescendantNameEdit(r, parent);
      edit->SetDlgCtrlID(def.id);
      return edit;
    }
  return nullptr;
}

void CDescendientes::OnInitDialog() {
  CTemplatePropPg::OnInitDialog();
  binding_.Bind(wizard_.Work(), &DescendantRows());
  for (int r = 0; r < kRows; ++r)
    if (auto* e = Item<CSelStrEdit>(IdAt(2, r))) e->CreateDropButton();
  if (wizard_.ShownMember() == 4 || wizard_.ShownMember() == 5) SetChildEditsEnabled(this, 0);
  binding_.Load();
  RefreshEnabledRows();
}

bool CDescendientes::OnSetActive() {
  const bool r = CTemplatePropPg::OnSetActive();
  binding_.Load();
  RefreshEnabledRows();
  return r;
}

void CDescendientes::EnableRow(int row, bool button, bool edit, bool editable) {
  auto* name = Item<CDescendantNameEdit>(IdAt(2, row));
  if (!name) return;
  name->setEnabled(button || edit);
  name->setReadOnly(!edit);
  name->SetNoOpen(!button);
  name->dialogEditable = editable;
}

void CDescendientes::RefreshEnabledRows() {
  Block& b = wizard_.Work();
  int n = 0;
  while (n < kRows && D::FullName.raw(DescendantAt(b, n))[0] != 0) ++n;
  for (int r = 0; r < kRows; ++r) {
    const std::uint8_t* e = DescendantAt(b, r);
    if (r <= n) EnableRow(r, true, !D::H1.get(e) && !D::H2.get(e), true);
    else EnableRow(r, false, false, false);
  }
  const bool marks = wizard_.StepByStep() && work::MinorAnswer.get(b.data()) == 1 && wizard_.Joint();
  if (!marks && wizard_.StepByStep()) {
    for (int r = 0; r < kRows; ++r) {
      D::H1.set(DescendantAt(b, r), 0);
      D::H2.set(DescendantAt(b, r), 0);
    }
    binding_.Load();
  }
  for (int r = 0; r < kRows; ++r) {
    const bool on = marks && (r < kRows - 1 ? r + 1 <= n : r <= n);
    EnableControl(this, IdAt(0, r), on);
    EnableControl(this, IdAt(1, r), on);
    for (int c = 3; c < kColumns; ++c) EnableControl(this, IdAt(c, r), false);
  }
}

int CDescendientes::OnEditKillFocus(int id) {
  for (int r = 0; r < kRows; ++r)
    if (id == IdAt(2, r)) binding_.Load();
  return 0;
}

int CDescendientes::OnEditValueChanged(int id) {
  Block& b = wizard_.Work();
  for (int r = 0; r < kRows; ++r) {
    std::uint8_t* e = DescendantAt(b, r);
    if (id == IdAt(0, r) && D::H1.get(e)) {
      if (int other = FindChildEntry(b, 1, r); other >= 0) D::H1.set(DescendantAt(b, other), 0);
      D::H2.set(e, 0);
    } else if (id == IdAt(1, r) && D::H2.get(e)) {
      if (int other = FindChildEntry(b, 2, r); other >= 0) D::H2.set(DescendantAt(b, other), 0);
      D::H1.set(e, 0);
    }
  }
  binding_.Load();
  RefreshEnabledRows();
  return 0;
}

int CDescendientes::OnEditValueCleared(int id) {
  int row = -1;
  for (int r = 0; r < kRows; ++r)
    if (id == IdAt(2, r)) row = r;
  if (row < 0) return 0;
  Block& b = wizard_.Work();
  std::uint8_t* first = DescendantAt(b, row);
  std::memmove(first, first + D::kSize, D::kSize * static_cast<std::size_t>(kRows - 1 - row));
  std::memset(DescendantAt(b, kRows - 1), 0, D::kSize);
  binding_.Load();
  RefreshEnabledRows();
  return 0;
}

// ==================================================================== CDatoshijoDlg

CDatoshijoDlg::CDatoshijoDlg(QWidget* parent, const std::uint8_t* personal, bool joint, bool editable, FieldCheck check)
    : CTemplateDlg(kChildTemplate, parent), joint_(joint), editable_(editable), check_(std::move(check)),
      binder_(this, kChildTemplate) {
  std::memcpy(personal_.data(), personal, P::kSize);
}

void CDatoshijoDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  binder_.SetUpEditors(0);
  binder_.Bind(entry_.data());
  if (!editable_) CTemplatePropPg::SetChildEditsEnabled(this, 0);
  binder_.Exchange(false);
}

int CDatoshijoDlg::Show(const char* code, int icon, const QString& extra) {
  return ui::ShowMessage(this, QString::fromLatin1(code), icon ? icon : platform::kIconHand, extra);
}

void CDatoshijoDlg::Refuse(const char* code, int focus, int icon) {
  Show(code, icon);
  if (QWidget* w = GetDlgItem(focus)) w->setFocus();
}

std::string CDatoshijoDlg::FullName(std::string_view given, std::string_view s1, std::string_view s2) {
  auto trim = [](std::string_view s) { return doc::TrimBlanks(s.substr(0, std::min(s.find('\0'), s.size()))); };
  const std::string g = trim(given), a = trim(s1), b = trim(s2);
  std::string s = trim(a + " " + b) + ", " + g;
  s = doc::TrimBlanks(s);
  if (s.size() > 32) {
    const int keep = 30 - static_cast<int>(a.size()) - static_cast<int>(g.size());
    const std::string cut = keep > 0 ? doc::TrimBlanks(b.substr(0, static_cast<std::size_t>(keep))) : std::string();
    s = a + " " + cut + ", " + g;
  }
  return s;
}

void CDatoshijoDlg::ComputeAge() {
  std::uint8_t* e = entry_.data();
  D::Age.set(e, 0);
  if (D::BirthDate.isAbsent(e)) return;
  std::string end = D::DeathDate.isAbsent(e) ? kYearEnd : Str(e, D::DeathDate);
  const std::string limit = P::DeclarantDeath.isAbsent(personal_.data()) ? kYearEnd : Str(personal_.data(), P::DeclarantDeath);
  if (doc::CompareDates(end.c_str(), limit.c_str()) == 1) end = limit;
  D::Age.set(e, doc::CRentaDoc::AgeAtDate(Str(e, D::BirthDate).c_str(), end.c_str()));
}

int CDatoshijoDlg::OnEditKillFocus(int id) {
  std::uint8_t* e = entry_.data();
  const std::uint8_t* p = personal_.data();
  ComputeAge();
  const bool married = P::CivilStatus.get(p) == 1;
  auto later = [](std::string_view a, std::string_view b) {  // a strictly after b, both real dates
    return checks::CValidationHelper::IsCalendarDate(a) && checks::CValidationHelper::IsCalendarDate(b) &&
           checks::CValidationHelper::IsDateOnOrAfter(a, b, true);
  };
  auto given = [](std::string_view d) { return d[0] != 0 && d[0] != ' '; };
  auto run = [&](int n, void* v) { return check_ ? check_(n, v) : 1; };
  const std::string_view birth = D::BirthDate.raw(e), death = D::DeathDate.raw(e), adoption = D::AdoptionDate.raw(e);
  const std::string_view declDeath = P::DeclarantDeath.raw(p);
  switch (id) {
    case kSituation: {
      const std::uint8_t s = D::Situation.get(e);
      if (married && (s == '3' || s == '4')) {
        D::Situation.set(e, ' ');
        Refuse("100R013", kSituation);
      } else if (D::Age.get(e) < 18 && (s == '2' || s == '4')) {
        D::Situation.set(e, ' ');
        Refuse("100R014", kSituation);
      }
      break;
    }
    case kLink:
      if (D::Link.get(e) == 'C' && !(married && joint_)) {
        D::Link.set(e, ' ');
        Refuse("100R007", kLink);
      }
      break;
    case kBirth: {
      const bool valid = run(5, e + D::BirthDate.off) != 0;
      if (valid && given(birth)) {
        const int year = ReadInt(birth.substr(4, 4));
        if (year > 2003 || year < 1886) {
          D::BirthDate.clear(e, '\0');
          Refuse("100R004", kBirth);
          break;
        }
      }
      if (!given(D::BirthDate.raw(e))) D::AdoptionDate.clear(e, '\0');
      if (given(adoption) && given(birth) && !later(adoption, birth)) {
        Refuse("100R003", kAdoption, platform::kIconAsterisk);
      } else if (given(death) && given(birth) && !later(death, birth)) {
        D::DeathDate.clear(e, '\0');
        Refuse("100R040", kDeath);
      } else if (given(declDeath) && given(birth) && later(birth, declDeath)) {
        D::BirthDate.clear(e, '\0');
        Refuse("100R145", kBirth);
      }
      break;
    }
    case kDeath: {
      const bool valid = run(5, e + D::DeathDate.off) != 0;
      if (!given(death)) break;
      if (valid && ReadInt(death.substr(4, 4)) != 2003) {
        D::DeathDate.clear(e, '\0');
        Refuse("100R030", kDeath);
      } else if (death == kYearEnd) {
        D::DeathDate.clear(e, '\0');
        Refuse("WIN005", kDeath);
      } else if (valid && given(birth) && !later(death, birth)) {
        D::DeathDate.clear(e, '\0');
        Refuse("100R040", kDeath);
      } else if (valid && given(declDeath) && !later(declDeath, death)) {
        D::DeathDate.clear(e, '\0');
        Refuse("100R144", kDeath);
      } else if (valid && given(adoption) && !later(death, adoption)) {
        Refuse("100R041", kAdoption, platform::kIconAsterisk);
      }
      break;
    }
    case kAdoption:
      if (!run(5, e + D::AdoptionDate.off) || !given(adoption)) break;
      if (ReadInt(adoption.substr(4, 4)) > 2003) {
        D::AdoptionDate.clear(e, '\0');
        Refuse("WIN005", kAdoption);
      } else if (given(birth) && !later(adoption, birth)) {
        Refuse("100R003", kAdoption, platform::kIconAsterisk);
      } else if (given(declDeath) && later(adoption, declDeath)) {
        D::AdoptionDate.clear(e, '\0');
        Refuse("100R145", kAdoption);
      }
      break;
    case kNif: run(21, e + D::Nif.off); break;
    default: break;
  }
  binder_.Exchange(false);
  return 1;
}

int CDatoshijoDlg::OnEditValueChanged(int id) {
  if (id == kIncome || id == kOwnReturn)
    if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

int CDatoshijoDlg::Validate() {
  std::uint8_t* e = entry_.data();
  const std::uint8_t* p = personal_.data();
  ComputeAge();
  const bool married = P::CivilStatus.get(p) == 1;
  const std::uint8_t s = D::Situation.get(e), link = D::Link.get(e);
  const int age = D::Age.get(e), year = ReadInt(D::BirthYear.raw(e));
  const bool dead = !D::DeathDate.isAbsent(e);
  const bool marks = D::Income.isSet(e) || D::OwnReturn.isSet(e);
  auto fail = [&](const char* code, const QString& extra = {}) {
    Show(code, platform::kIconHand, extra);
    binder_.Exchange(false);
    return 0;
  };
  auto ask = [&](const char* code) { return Show(code, platform::kIconAsterisk) != kCorregir; };
  if (D::GivenName.isAbsent(e) || D::Surname1.isAbsent(e) || D::BirthDate.isAbsent(e) || Blank(link))
    return fail("100R002");
  if (link == 'C' && !(married && joint_)) {
    D::Link.set(e, ' ');
    return fail("100R007");
  }
  if (married && (s == '3' || s == '4')) {
    D::Situation.set(e, ' ');
    return fail("100R013");
  }
  if (age < 18 && (s == '2' || s == '4')) {
    D::Situation.set(e, ' ');
    return fail("100R014");
  }
  if ((s == '2' || s == '4') && D::Disability.get(e) != '3') return fail("100R015");
  if (age > 24 && year != 0 && Blank(D::Disability.get(e))) return fail("100R006");
  if (!joint_ && marks) return fail("100R016");
  if (joint_ && marks && (s == '1' || (age >= 18 && s != '2' && s != '4') || dead))
    return fail("100R016", platform::LoadString(192));
  if (year < ReadInt(P::BirthYear(0).raw(p)) + 14 && (link == 'D' || link == 'O') && !ask("100P006")) return 0;
  if (year < ReadInt(P::BirthYear(1).raw(p)) + 14 && (link == 'C' || link == 'O') && !ask("100P007")) return 0;
  if (joint_ && P::MinorChildren.get(p) != 1 &&
      ((age < 18 && s != '1' && !dead) || ((s == '2' || s == '4') && !dead)) && !ask("100P005"))
    return 0;
  return 1;
}

void CDatoshijoDlg::OnOK() {
  binder_.Exchange(true);
  if (!Validate()) return;
  std::uint8_t* e = entry_.data();
  D::AdoptionFlag.set(e, D::AdoptionDate.isAbsent(e) ? 0 : 1);
  const std::string name = FullName(D::GivenName.raw(e), D::Surname1.raw(e), D::Surname2.raw(e));
  D::FullName.clear(e, '\0');
  D::FullName.set(e, name, '\0');
  D::DeathFlag.set(e, D::DeathDate.isAbsent(e) ? 0 : 1);
  CTemplateDlg::OnOK();
}

// ==================================================================== CAscendientes

CAscendientes::CAscendientes(CDatosFam& wizard)
    : CRowMatrixPage(AscendantTemplate()), wizard_(wizard), binding_(this, AscendantTemplate()) {
  SetMatrix(4, 6, ColumnOrder(&kAscendantIds[0][0], 6, 4));
}

void CAscendientes::OnInitDialog() {
  CRowMatrixPage::OnInitDialog();
  binding_.Bind(wizard_.Work(), &AscendantRows());
  if (wizard_.ShownMember() > 3) SetChildEditsEnabled(this, 0);
  binding_.Load();
  RefreshEnabledRows();
}

bool CAscendientes::OnSetActive() {
  const bool r = CRowMatrixPage::OnSetActive();
  binding_.Load();
  RefreshEnabledRows();
  return r;
}

void CAscendientes::ClearRow(int row) { std::memset(AscendantAt(wizard_.Work(), row), 0, A::kSize); }

void CAscendientes::MoveRow(int destination, int source) {
  Block& b = wizard_.Work();
  std::uint8_t* to = AscendantAt(b, destination);
  const std::uint8_t* from = AscendantAt(b, source);
  for (blocks::Text t : {A::Nif, A::Name, A::BirthDate, A::Year}) std::memcpy(to + t.off, from + t.off, t.width);
  A::Disability.set(to, A::Disability.get(from));
  A::Link.set(to, A::Link.get(from));
  A::Cohabitation.set(to, A::Cohabitation.get(from));
  binding_.Load();
}

void CAscendientes::ComputeAge(int row) {
  std::uint8_t* e = AscendantAt(wizard_.Work(), row);
  const std::uint8_t* p = Personal(wizard_.Work());
  A::Age.set(e, 0);
  if (A::BirthDate.isAbsent(e)) return;
  const std::string to = P::DeclarantDeath.isAbsent(p) ? kYearEnd : Str(p, P::DeclarantDeath);
  int years = 0, notAnniversary = 0;
  if (CUtilities::WholeYearsBetween(Str(e, A::BirthDate).c_str(), to.c_str(), years, notAnniversary) >= 0)
    A::Age.set(e, years);
}

int CAscendientes::OnEditKillFocus(int id) {
  if (!CRowMatrixPage::OnEditKillFocus(id)) return 0;
  const int row = GetRowOfControl(id), column = GetColumnOfControl(id);
  if (row < 0) return 1;
  ComputeAge(row);
  std::uint8_t* e = AscendantAt(wizard_.Work(), row);
  const std::uint8_t* p = Personal(wizard_.Work());
  const FieldCheck& check = wizard_.Check();
  auto run = [&](int n, void* v) { return check ? check(n, v) : 1; };
  bool refused = false;
  auto back = [&] { refused = true; };
  switch (column) {
    case 0: run(21, e + A::Nif.off); break;
    case 2:
      if (A::BirthDate.isAbsent(e)) break;
      if (!run(5, e + A::BirthDate.off) || !run(101, e + A::BirthDateYear.off)) {
        A::Year.clear(e, '\0');
        A::BirthDate.clear(e, '\0');
        back();
      } else {
        A::Year.set(e, A::BirthDateYear.raw(e));
      }
      break;
    case 4:
      if (A::Link.get(e) == 'C' && !(P::CivilStatus.get(p) == 1 && wizard_.Joint())) {
        A::Link.set(e, ' ');
        wizard_.Show(P::CivilStatus.get(p) == 1 ? "100R082" : "100R133", platform::kIconHand);
        back();
      }
      break;
    case 5:
      if (A::Cohabitation.get(e) == 1.0) {
        wizard_.Show("100R083", platform::kIconHand);
        A::Cohabitation.set(e, 0.0);
        back();
      }
      break;
    default: break;
  }
  binding_.Load();
  if (refused)
    if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

// ==================================================================== CDatosFam2

CDatosFam2::CDatosFam2(CDatosFam& wizard) : CTemplatePropPg(AdditionalTemplate()), wizard_(wizard), binding_(this, AdditionalTemplate()) {}

int CDatosFam2::MarkId(std::size_t vector, int holder) {
  for (int v = 0; v < 4; ++v)
    if (kVectors[v] == vector && holder >= 2 && holder <= 5) return kMarkIds[v][holder - 2];
  return 0;
}
int CDatosFam2::WorkerId(int holder) { return holder >= 2 && holder <= 5 ? kWorkerIds[holder - 2] : 0; }

void CDatosFam2::OnInitDialog() {
  CTemplatePropPg::OnInitDialog();
  binding_.Bind(wizard_.Work());
  EnableFields();
  binding_.Load();
}

bool CDatosFam2::OnSetActive() {
  const bool r = CTemplatePropPg::OnSetActive();
  EnableFields();
  binding_.Load();
  return r;
}

void CDatosFam2::EnableFields() {
  Block& b = wizard_.Work();
  std::uint8_t* p = Personal(b);
  auto enableHolder = [&](int holder, bool on) {
    for (std::size_t v : kVectors)
      if (int id = MarkId(v, holder)) EnableControl(this, id, on);
    EnableControl(this, WorkerId(holder), on);
  };
  if (!wizard_.Joint()) {
    for (int h = 3; h <= 5; ++h) enableHolder(h, false);
    return;
  }
  const bool spouse =
      (wizard_.StepByStep() && work::CivilMark(1).get(b.data()) && !work::PageNonResident.get(b.data()) &&
       P::DeclarantDeath.isAbsent(p)) ||
      (P::CivilStatus.get(p) == 1 && work::NonResident.get(b.data()) == 0);
  enableHolder(3, spouse);
  for (int child : {1, 2}) {
    const bool on = FindChildEntry(b, child) >= 0;
    enableHolder(3 + child, on);
    if (!on) {
      for (std::size_t v : {FW::kMale, FW::kFemale, FW::kMobility}) work::Mark(v, 3 + child).set(b.data(), 0);
      P::WorkerKey(1 + child).set(p, 0);
    }
  }
}

void CDatosFam2::SexRule(int id) {
  std::uint8_t* w = wizard_.Work().data();
  auto M = [&](int h) { return work::Mark(FW::kMale, h); };
  auto F = [&](int h) { return work::Mark(FW::kFemale, h); };
  auto no = [&](blocks::U8 m) { return static_cast<std::uint8_t>(m.get(w) == 0 ? 1 : 0); };
  const std::uint8_t* p = Personal(wizard_.Work());
  const bool couple = wizard_.Joint() && P::CivilStatus.get(p) == 1 && work::NonResident.get(w) == 0;
  for (int h = 2; h <= 5; ++h) {
    if (id == MarkId(FW::kMale, h)) {
      F(h).set(w, no(M(h)));
      if (h == 2 && couple) {
        F(3).set(w, M(2).get(w));
        M(3).set(w, no(M(2)));
      } else if (h == 3) {
        F(2).set(w, M(3).get(w));
        M(2).set(w, no(M(3)));
      }
    } else if (id == MarkId(FW::kFemale, h)) {
      M(h).set(w, no(F(h)));
      if (h == 2 && couple) {
        M(3).set(w, F(2).get(w));
        F(3).set(w, no(F(2)));
      } else if (h == 3) {
        M(2).set(w, F(3).get(w));
        F(2).set(w, no(F(3)));
      }
    }
  }
}

int CDatosFam2::OnEditValueChanged(int id) {
  SexRule(id);
  binding_.Load();
  if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

int CDatosFam2::OnEditValueCleared(int id) {
  SexRule(id);
  binding_.Load();
  return 1;
}

// ==================================================================== CComauto

CComauto::CComauto(CDatosFam& wizard) : CTemplatePropPg(RegionTemplate()), wizard_(wizard), binding_(this, RegionTemplate()) {}

void CComauto::OnInitDialog() {
  CTemplatePropPg::OnInitDialog();
  binding_.Bind(wizard_.Work());
  for (int k = 0; k < 5; ++k) {
    links_[k] = {Personal(wizard_.Work()) + P::RegionCode(k).off, P::RegionCode(k).width};
    if (auto* l = Item<CListaEdit>(kNameIds[k])) l->SetOption(&links_[k]);
  }
  if (wizard_.NewDeclaration()) CopyJointRegionToMembers();
  binding_.Load();
}

bool CComauto::LookupEnabled(int k) const {
  const Block& b = wizard_.Work();
  const std::uint8_t* p = Personal(b);
  const bool h1 = FindChildEntry(b, 1) >= 0, h2 = FindChildEntry(b, 2) >= 0;
  if (k == 1) return true;
  if (!wizard_.Joint()) return false;
  switch (k) {
    case 0: return P::CivilStatus.get(p) == 1 || work::MinorAnswer.get(b.data()) == 1 || h1 || h2;
    case 2:
      return P::CivilStatus.get(p) == 1 && work::PageNonResident.get(b.data()) == 0 && P::DeclarantDeath.isAbsent(p);
    case 3: return h1;
    default: return h2;
  }
}

bool CComauto::OnSetActive() {
  const bool r = CTemplatePropPg::OnSetActive();
  Block& b = wizard_.Work();
  if (FindChildEntry(b, 1) < 0) P::Region(3).clear(Personal(b));
  if (FindChildEntry(b, 2) < 0) P::Region(4).clear(Personal(b));
  for (int k = 0; k < 5; ++k) EnableControl(this, kNameIds[k], LookupEnabled(k));
  binding_.Load();
  return r;
}

void CComauto::CopyJointRegionToMembers() {
  std::uint8_t* p = Personal(wizard_.Work());
  if (P::RegionName(0).isAbsent(p)) return;
  const bool foreign = P::RegionCode(0).raw(p)[0] == '9';
  for (int k = 1; k < 5; ++k) {
    if ((k == 1 && foreign) || !P::RegionName(k).isAbsent(p) || !LookupEnabled(k)) continue;
    if (k == 3 && FindChildEntry(wizard_.Work(), 1) < 0) continue;
    if (k == 4 && FindChildEntry(wizard_.Work(), 2) < 0) continue;
    P::RegionName(k).set(p, P::RegionName(0).raw(p));
    P::RegionCode(k).set(p, P::RegionCode(0).raw(p));
  }
}

int CComauto::OnEditValueChanged(int id) {
  std::uint8_t* p = Personal(wizard_.Work());
  const int* at = std::find(std::begin(kNameIds), std::end(kNameIds), id);
  if (at != std::end(kNameIds)) {
    const int k = static_cast<int>(at - kNameIds);
    const bool code99 = P::RegionCode(k).raw(p) == "99";
    if (k == 0) {
      CopyJointRegionToMembers();
      if (code99) wizard_.Show("100I022", platform::kIconAsterisk);
    } else if (code99) {
      wizard_.Show("100I004", platform::kIconAsterisk);
      if (k == 1) P::Region(1).clear(p);
    }
  }
  wizard_.ClearUnusedMemberData();
  binding_.Load();
  return 1;
}

int CComauto::OnEditKillFocus(int id) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || id == 2 || ui::ControlId(focus) == 2) return 1;
  std::uint8_t* p = Personal(wizard_.Work());
  for (int k = 0; k < 5; ++k)
    if (id == kNameIds[k] && P::RegionName(k).raw(p)[0] == ' ') p[P::RegionCode(k).off] = 0;
  binding_.Load();
  return 1;
}

// ==================================================================== CDatosFam

CDatosFam::CDatosFam(const QString& caption, QWidget* parent, int startPage, Declaration declaration, bool isNew)
    : CAsistente(caption, parent, startPage), doc_(std::move(declaration)), stepByStep_(isNew),
      joint_(doc_.joint), isNew_(isNew), shownMember_(doc_.shownMember) {
  const std::uint8_t* block = doc_.block;
  const std::uint8_t* family = f100::record(block, f100::Family);
  std::memcpy(work_.data(), f100::record(block, f100::Personal), P::kSize);
  work::NonResident.set(work_.data(), FW::NonResidentSpouse.get(family));
  FW::Marks.copyOut(family, work_.data() + work::kMarks);
  FW::Descendants.copyOut(family, work_.data() + work::kDescendants);
  FW::Ascendants.copyOut(family, work_.data() + work::kAscendants);
  personal_ = new CDatosFam1(*this);
  descendants_ = new CDescendientes(*this);
  ascendants_ = new CAscendientes(*this);
  additional_ = new CDatosFam2(*this);
  region_ = new CComauto(*this);
  for (CTemplatePropPg* page : std::initializer_list<CTemplatePropPg*>{personal_, descendants_, ascendants_, additional_, region_})
    AddPage(page);
  if (stepByStep_) HeaderFlags() |= kPshWizard;
}

CDatosFam::~CDatosFam() = default;

void CDatosFam::ClearUnusedMemberData() { famwiz::ClearUnusedMemberData(work_, additional_ && additional_->isVisible()); }

int CDatosFam::Show(const char* code, int icon, const QString& extra) {
  return ui::ShowMessage(this, QString::fromLatin1(code), icon, extra);
}

int CDatosFam::OnGoToPage(int page) {
  SetActivePage(page);
  return 1;
}

bool CDatosFam::Accept(int id) {
  // The marks go into the declaration at once, the family unit's byte taking the declarant's.
  std::uint8_t* family = f100::record(doc_.block, f100::Family);
  for (std::size_t v : {FW::kMale, FW::kFemale, FW::kProlonged, FW::kMobility})
    work::Mark(v, 1).set(work_.data(), work::Mark(v, 2).get(work_.data()));
  FW::Marks.copyIn(family, work_.data() + work::kMarks);
  if (personal_->isVisible() || personal_->GetDlgItem(CDatosFam1::kSingle)) {
    personal_->StoreCivilStatus();
    work::NonResident.set(work_.data(), work::PageNonResident.get(work_.data()));
  }
  Context c;
  c.joint = joint_;
  c.stepByStep = stepByStep_;
  c.show = [this](const char* code, int icon, const std::string& extra) {
    return Show(code, icon, QString::fromStdString(extra));
  };
  c.rank = doc_.rank;
  const Verdict v = ValidateFamilyData(work_, c);
  if (!v.ok) {
    // Posted: the page changes once the message and the command have returned.
    QTimer::singleShot(0, this, [this, page = v.page] { OnGoToPage(page); });
    return false;
  }
  // The next calculation erases the deductions of a community where nobody lives any more.
  if (!isNew_ && CommunityLosingData(doc_.block, work_) != 0 &&
      Show(kCommunityChangeCode, platform::kIconExclamation) != ui::IDOK) {
    QTimer::singleShot(0, this, [this] { OnGoToPage(kRegionPage); });
    return false;
  }
  AdjustBirthYearForDeath(work_);
  if (id == kIdWizFinish) {
    ShowRegionNotice(work_, c);
    CComprobacionDatosFamiliaresDlg confirm(this, work_);
    confirm.EnsureCreated();
    if ((doc_.runModal ? doc_.runModal(confirm) : confirm.exec()) != ui::IDOK) {
      OnGoToPage(kPersonalPage);
      return false;
    }
  }
  return true;
}

int CDatosFam::OnCommand(int id, int code) {
  if (code == ui::kBnClicked) {
    if (id == kIdHelp) {
      platform::ShowHelp(kHelpTopic);
      return 1;
    }
    if ((id == kIdOk || id == kIdWizFinish) && !Accept(id)) return 1;
  }
  return CAsistente::OnCommand(id, code);
}

void CDatosFam::CopyBack(std::uint8_t* block) const {
  std::uint8_t* family = f100::record(block, f100::Family);
  std::memcpy(f100::record(block, f100::Personal), work_.data(), P::kSize);
  FW::NonResidentSpouse.set(family, work::NonResident.get(work_.data()));
  FW::NonResidentSpouseCopy.set(family, work::NonResident.get(work_.data()));
  FW::Marks.copyIn(family, work_.data() + work::kMarks);
  FW::Descendants.copyIn(family, work_.data() + work::kDescendants);
  FW::Ascendants.copyIn(family, work_.data() + work::kAscendants);
}

void RegisterFamilyWizard() {
  ui::RegisterSelectionOpener("IDD_DATOSHIJO", [](CSelStrEdit& edit) {
    auto* name = dynamic_cast<CDescendantNameEdit*>(&edit);
    CDatosFam* wizard = nullptr;
    for (QWidget* w = edit.parentWidget(); w && !wizard; w = w->parentWidget()) wizard = dynamic_cast<CDatosFam*>(w);
    if (!name || !wizard) return 2;
    const int row = edit.RowIndex();
    CDatoshijoDlg dlg(&edit, Personal(wizard->Work()), wizard->Joint(), name->dialogEditable, wizard->Check());
    std::memcpy(dlg.Entry().data(), DescendantAt(wizard->Work(), row), D::kSize);
    const int result = dlg.DoModal();
    if (result == ui::IDOK) std::memcpy(DescendantAt(wizard->Work(), row), dlg.Entry().data(), D::kSize);
    return result == ui::IDOK ? 1 : 2;
  });
}

}  // namespace famwiz
