// The edit family's reading of typed text on arbitrary input: amounts and percentages, integers,
// dates and NIFs. Nothing may read or write out of bounds, and what is read back is stable: a
// completed date completes to itself, a classified NIF classifies the same once normalised.
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "checks/validation_helper.h"
#include "ui/typed_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int width = data[0] & 1 ? 8 : 6;
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));

  const double amount = ui::typed::ParseAmountText(text);
  if (std::isnan(amount)) std::abort();
  (void)ui::typed::ParseIntegerText(text);

  const QString completed = ui::typed::CompleteDateSections(text, width);
  if (completed.size() < text.size()) std::abort();
  if (ui::typed::CompleteDateSections(completed, width) != completed) std::abort();
  // A stored date is eight digits or blanks, as the date edit writes it.
  QString eight = text.left(8).leftJustified(8, u' ');
  for (QChar& c : eight)
    if (c < u'0' || c > u'9') c = u' ';
  const QString stored = ui::typed::CompleteStoredDate(eight);
  if (stored.size() != 8 || ui::typed::CompleteStoredDate(stored) != stored) std::abort();

  // A NIF edit's field: a fixed-width, zero-padded buffer checked in place.
  std::string nif;
  const int cls = checks::CValidationHelper::ClassifyNif(bytes.c_str(), &nif);
  if (!nif.empty() && checks::CValidationHelper::ClassifyNif(nif.c_str(), &nif) != cls) std::abort();
  std::vector<char> field(10, 0);
  std::memcpy(field.data(), bytes.data(), std::min<std::size_t>(bytes.size(), 9));
  (void)checks::CValidationHelper::ValidateNif(field.data(), 9, (data[0] & 2) != 0);
  return 0;
}
