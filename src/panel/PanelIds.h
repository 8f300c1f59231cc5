#pragma once
// Control ids of the operation panel, per sign where the two groups differ.

namespace rovenza {

struct PanelGroupIds {
  int numberDisplay;  // static showing the frame number of the next start
  int digitFirst;     // digit d is digitFirst + d
  int reset;          // "強"
  int start;          // "ON"
  int clear;          // "C"
  int forward;        // "送"
  int back;           // "戻"
  int speedEdit;
  int speedUpDown;
  int intervalEdit;
  int intervalUpDown;
};

constexpr PanelGroupIds kPanelGroups[2] = {
    {1002, 1008, 1018, 1019, 1044, 1046, 1047, 1033, 1034, 1036, 1037},
    {1003, 1020, 1031, 1030, 1045, 1048, 1049, 1040, 1041, 1042, 1043},
};

}  // namespace rovenza
