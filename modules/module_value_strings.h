// String-table ids of the texts of the module value and product yield dialogs and their edits
// (resources/strings/<letter>.tsv).
#pragma once

namespace modules::string_id {

// Unit captions of the module kinds.
inline constexpr int kMetres = 99400;
inline constexpr int kNumber = 99401;
inline constexpr int kKilowattsCaption = 99402;
inline constexpr int kKilograms = 99403;
inline constexpr int kSquareDecimetres = 99404;
inline constexpr int kTonnes = 99405;
inline constexpr int kHorsepower = 99406;
inline constexpr int kPlaces = 99407;
inline constexpr int kSeats = 99408;
inline constexpr int kRafts = 99409;
inline constexpr int kCapacity = 99410;
inline constexpr int kTables = 99411;
// Captions and labels of the module value dialogs.
inline constexpr int kModulos01Caption = 99412;
inline constexpr int kModulos02Caption = 99413;
inline constexpr int kModulos03Caption = 99414;
inline constexpr int kModulos05Caption = 99415;
inline constexpr int kDistanceCaption = 99417;
inline constexpr int kNonSalariedCaption = 99418;
inline constexpr int kUnitsHeading = 99419;
inline constexpr int kDaysHeading = 99420;
inline constexpr int kUnitsLabel = 99421;
inline constexpr int kUnitsPerHundredLabel = 99422;
inline constexpr int kKilometres = 99423;
inline constexpr int kKilometreUnits = 99424;
inline constexpr int kKilowatts = 99425;
inline constexpr int kKilowattUnits = 99426;
inline constexpr int kHoursHeading = 99427;
inline constexpr int kAgreementHours = 99428;
inline constexpr int kAgreementHoursPlain = 99429;
inline constexpr int kUnder19Hours = 99430;
inline constexpr int kOver19Hours = 99431;
inline constexpr int kYear2003 = 99432;
inline constexpr int kYear2002 = 99433;
inline constexpr int kChildrenHours = 99434;
inline constexpr int kSpouseHours = 99435;
inline constexpr int kHolderHours = 99436;
inline constexpr int kHoursHint = 99437;
// The product yield dialogs.
inline constexpr int kProductCaption = 99440;  // "PRODUCTO %d"
inline constexpr int kProduct1Caption = 99441;
inline constexpr int kOtherProductsCaption = 99442;
inline constexpr int kIncomeHeading = 99443;
inline constexpr int kIndexHeading = 99444;
inline constexpr int kReducedIndexHeading = 99445;
inline constexpr int kNetYieldHeading = 99446;
inline constexpr int kTotal = 99447;
inline constexpr int kOwnLands = 99448;
inline constexpr int kLeasedLands = 99449;
inline constexpr int kOwnLandsTotal = 99450;
inline constexpr int kLeasedLandsTotal = 99451;
inline constexpr int kYieldTotal = 99452;
inline constexpr int kExtensivePigs = 99453;
inline constexpr int kIntensivePigs = 99454;
inline constexpr int kPoultry = 99455;
inline constexpr int kBreedingPigsHint = 99456;
inline constexpr int kRicePotatoHint = 99457;
// The edits' buttons.
inline constexpr int kAnyKeyOpens = 358;  // "Pulse cualquier tecla para abrir la ventana de cumplimentación"
inline constexpr int kF7Opens = 359;      // "<F7> Abre la ventana de cumplimentación"

}  // namespace modules::string_id
