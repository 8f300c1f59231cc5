#pragma once
// Control ids of the layout form (the form's own numbering).

namespace rovenza::form_ids {

constexpr int kFormGroup = 1006;
constexpr int kBackgroundLabel = 1002;
constexpr int kBackgroundPath = 1033;
constexpr int kBackgroundBrowse = 1008;
constexpr int kBackgroundDelete = 1009;
constexpr int kFormWidthEdit = 1036;
constexpr int kFormWidthUpDown = 1034;
constexpr int kFormHeightEdit = 1040;
constexpr int kFormHeightUpDown = 1037;

constexpr int kKindCombo[2] = {1051, 1062};
constexpr int kSignPath[2] = {1042, 1064};
constexpr int kSignBrowse[2] = {1010, 1012};
constexpr int kSignDelete[2] = {1011, 1013};
constexpr int kCopyTemplate[2] = {1014, 1015};
constexpr int kLeftEdit[2] = {1052, 1066};
constexpr int kLeftUpDown[2] = {1041, 1067};
constexpr int kTopEdit[2] = {1054, 1069};
constexpr int kTopUpDown[2] = {1043, 1070};
constexpr int kWidthEdit[2] = {1056, 1072};
constexpr int kWidthUpDown[2] = {1057, 1073};
constexpr int kHeightEdit[2] = {1059, 1075};
constexpr int kHeightUpDown[2] = {1060, 1076};
constexpr int kFramesEdit[2] = {1078, 1081};
constexpr int kFramesUpDown[2] = {1079, 1082};
constexpr int kCornerEdit[2] = {1084, 1087};
constexpr int kCornerUpDown[2] = {1085, 1088};

constexpr int kClose = 1016;
constexpr int kHelp = 1017;

// Notification codes the form acts on.
constexpr int kClicked = 0;           // BN_CLICKED
constexpr int kSelectionChanged = 1;  // CBN_SELCHANGE

}  // namespace rovenza::form_ids
