// The amount texts of the activity data: amounts in the Spanish style ("1.234,50"), fitted to a
// column, whole numbers with thousands dots, and the fixed-column line of one module. All
// conversions are independent of the process locale.
#pragma once

#include <string>

#include "modules/module_data.h"

namespace modules {

// The largest amount a module line shows; larger ones are shown as 0.
inline constexpr double kLargestLineAmount = 999999999999.0;

// Two decimals, "." between thousands and "," before the decimals; empty for exactly 0. A value
// above kLargestLineAmount is set to 0 in `value`, gives "0,00" and raises `overflowed`.
std::string FormatImporte(double& value, bool* overflowed = nullptr);
// Puts blanks in front up to `width` characters; a text without "," keeps three blanks at its end.
void PadImporte(std::string& text, int width);
// Rewrites the whole number at the start of `text` (after blanks) right-aligned within the
// text's length, with "." before every group of three digits, at most `maxDots` of them
// (negative: no limit). Unchanged when blank, longer than 80 characters or when it would not fit.
void InsertThousandsDots(std::string& text, int maxDots);
// "%-10.0f" of a whole amount with thousands dots (the amount and quota boxes of the data dialogs).
std::string WholeAmountText(double value);

// One line of a module list (cp1252): number from 1 in two columns, the short name in 25, the
// short unit in 10 and the amount per unit in 15 (columns 40 to 54), Spanish style.
inline constexpr int kLineAmountColumn = 40;
inline constexpr int kLineAmountWidth = 15;
// As built, with the amount written "%10.2f"; then as a list shows it, amount reformatted.
std::string RawModuleLine(int number, const CModulo& module);
std::string ModuleLine(int number, const CModulo& module, bool* overflowed = nullptr);
// The amount field of a line rewritten in the Spanish style (what a module list does on adding it).
std::string ReformatLineAmount(std::string line, bool* overflowed = nullptr);

}  // namespace modules
