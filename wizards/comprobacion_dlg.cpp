#include "wizards/comprobacion_dlg.h"

#include <QLabel>

#include "data/doc/document.h"
#include "platform/strings.h"

namespace famwiz {
namespace {

using ui::Ctl;
using C = CComprobacionDatosFamiliaresDlg;
constexpr int kCivilStrings[4] = {315, 316, 317, 318};  // SOLTERO, CASADO, VIUDO, SEPARADO/DIVORCIADO
constexpr int kDeathString = 321, kNoChildMembers = 355, kChildMembers = 349, kIndividual = 348;

const ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 96110, .row = 0, .col = 0},
    {.id = C::kCivilStatus, .kind = Ctl::Legend, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 96111, .row = 1, .col = 0},
    {.id = C::kMinorChildren, .kind = Ctl::Legend, .row = 1, .col = 1},
    {.id = C::kNonResident, .kind = Ctl::Legend, .textId = 96114, .row = 2, .col = 0, .colSpan = 2},
    {.id = C::kDeath, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = 2},
    {.id = C::kText, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 5, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 5, .col = 1},
};
const ui::DialogTemplate kTemplate{.id = 18, .captionId = 96115, .controls = kControls};

void SetLegend(QWidget* dlg, int id, const QString& text, bool shown = true) {
  if (auto* l = qobject_cast<QLabel*>(ui::FindControl(dlg, id))) {
    l->setText(text);
    l->setWordWrap(true);
    l->setVisible(shown);
  }
}

}  // namespace

CComprobacionDatosFamiliaresDlg::CComprobacionDatosFamiliaresDlg(QWidget* parent, const Block& work)
    : CTemplateDlg(kTemplate, parent), work_(work) {}

QString CComprobacionDatosFamiliaresDlg::MembersText() const {
  const std::uint8_t* p = Personal(work_);
  if (P::CivilStatus.get(p) != 1 || !P::DeclarantDeath.isAbsent(p) || work::NonResident.get(work_.data()) != 0)
    return platform::LoadString(kIndividual);
  QString names;
  for (int i = 0; i < D::kCount; ++i) {
    const std::uint8_t* e = DescendantAt(work_, i);
    if (D::H1.get(e) == 0 && D::H2.get(e) == 0) continue;
    auto text = [e](blocks::Text t) { return QString::fromStdString(doc::TrimBlanks(t.str(e))); };
    names += u'\n' + text(D::Surname1) + u' ' + text(D::Surname2) + QStringLiteral(", ") + text(D::GivenName);
  }
  return names.isEmpty() ? platform::LoadString(kNoChildMembers) : platform::LoadString(kChildMembers) + names;
}

void CComprobacionDatosFamiliaresDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  const std::uint8_t* p = Personal(work_);
  const int status = P::CivilStatus.get(p);
  SetLegend(this, kCivilStatus, platform::LoadString(kCivilStrings[status < 4 ? status : 0]));
  SetLegend(this, kMinorChildren, platform::LoadString(P::MinorChildren.get(p) == 1 ? 96112 : 96113));
  SetLegend(this, kNonResident, platform::LoadString(96114), work::NonResident.get(work_.data()) != 0);
  const std::string_view death = P::DeclarantDeath.raw(p);
  SetLegend(this, kDeath,
            platform::LoadString(kDeathString) + u' ' +
                QString::fromLatin1(death.substr(0, 2)) + u'/' + QString::fromLatin1(death.substr(2, 2)) + u'/' +
                QString::fromLatin1(death.substr(4, 4)),
            !P::DeclarantDeath.isAbsent(p));
  SetLegend(this, kText, MembersText());
}

}  // namespace famwiz
