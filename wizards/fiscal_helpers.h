// The message and font helpers of the fiscal-data pages and of the printing code.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

#include "wizards/fiscal_file.h"

class QFont;
class QPainter;
class QWidget;

namespace fiscal {

// Shows the string-table text `id` in a plain message box with an OK button (message service); `detail`, when
// given, follows it on a line of its own.
void ShowStringMessage(int id, QWidget* parent = nullptr, const QString& detail = {});

// The platform's logical font record: 60 bytes, the face name in Windows-1252.
struct LogFont {
  std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
  std::uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  char faceName[32] = {};
};
static_assert(sizeof(LogFont) == 60);

// Fills `buffer` (cleared first), makes `font` from it and selects it into `dc` with a transparent
// background; the font selected before is not kept.
void CreateAndSelectFont(LogFont* buffer, int height, int width, std::uint8_t outPrecision,
                         std::uint8_t clipPrecision, std::uint8_t charSet, std::uint8_t quality, int weight,
                         std::uint8_t pitchAndFamily, const QString& faceName, QFont* font, int unused,
                         QPainter* dc);

// Reads a "datos fiscales" file from disk. A refused file shows its message (in the interface
// language) and gives nothing; the layout and everything else stay untouched.
std::optional<FiscalFile> OpenFiscalFile(const QString& path, const Layout& layout, QWidget* parent = nullptr,
                                         const std::function<void(int)>& progress = {});

}  // namespace fiscal
