// Update coefficients of acquisition values and depreciation by the year of a date (DDMMYYYY,
// zero-terminated). Years after the tax year are not updated (1.0).
#pragma once

namespace tv {
// Assets used in an economic activity.
double CoeficienteAfectos(const char* date);
// Other real estate and assets.
double CoeficienteNoAfectos(const char* date);
}  // namespace tv
