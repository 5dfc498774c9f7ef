// String-table ids of the texts of the activity dialogs (resources/strings/<letter>.tsv).
#pragma once

namespace modules::string_id {

inline constexpr int kKeyLabel = 142;  // the sector label of agricultural activities
inline constexpr int kSelectCaption = 91100;
inline constexpr int kSectorLabel = 91101;
inline constexpr int kActivityLabel = 91102;
inline constexpr int kEpigraphListLabel = 91103;
inline constexpr int kDescriptionBox = 91104;
inline constexpr int kAccept = 91105;
inline constexpr int kCancel = 91106;
inline constexpr int kConsult = 91107;
inline constexpr int kHelp = 91108;
inline constexpr int kActivityDataCaption = 91110;
inline constexpr int kNumberHeader = 91111;
inline constexpr int kDefinitionHeader = 91112;
inline constexpr int kUnitHeader = 91113;
inline constexpr int kYieldPerUnitHeader = 91114;
inline constexpr int kExcessAmountLabel = 91115;
inline constexpr int kQuotaPerUnitHeader = 91116;
inline constexpr int kMinimumQuotaLabel = 91117;
inline constexpr int kEpigraphLabel = 91118;

}  // namespace modules::string_id
