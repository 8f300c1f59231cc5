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
  int groupBox;       // "１つ目の幕" / "２つ目の幕"
  int speedLabel;     // "速度："
  int intervalLabel;  // "間隔："
};

constexpr PanelGroupIds kPanelGroups[2] = {
    {1002, 1008, 1018, 1019, 1044, 1046, 1047, 1033, 1034, 1036, 1037, 1006, 1032, 1035},
    {1003, 1020, 1031, 1030, 1045, 1048, 1049, 1040, 1041, 1042, 1043, 1007, 1038, 1039},
};

// Every control of the panel by name.
enum PanelId : int {
  kPanelDisplay1 = 1002,
  kPanelDisplay2 = 1003,
  kPanelGroup1 = 1006,
  kPanelGroup2 = 1007,
  kPanelDigit1First = 1008,  // 1008-1017: "0"-"9" of the 1st sign
  kPanelDigit1Last = 1017,
  kPanelReset1 = 1018,
  kPanelStart1 = 1019,
  kPanelDigit2First = 1020,  // 1020-1029: "0"-"9" of the 2nd sign
  kPanelDigit2Last = 1029,
  kPanelStart2 = 1030,
  kPanelReset2 = 1031,
  kPanelSpeedLabel1 = 1032,
  kPanelSpeedEdit1 = 1033,
  kPanelSpeedUpDown1 = 1034,
  kPanelIntervalLabel1 = 1035,
  kPanelIntervalEdit1 = 1036,
  kPanelIntervalUpDown1 = 1037,
  kPanelSpeedLabel2 = 1038,
  kPanelIntervalLabel2 = 1039,
  kPanelSpeedEdit2 = 1040,
  kPanelSpeedUpDown2 = 1041,
  kPanelIntervalEdit2 = 1042,
  kPanelIntervalUpDown2 = 1043,
  kPanelClear1 = 1044,
  kPanelClear2 = 1045,
  kPanelForward1 = 1046,
  kPanelBack1 = 1047,
  kPanelForward2 = 1048,
  kPanelBack2 = 1049,
};

// The key pictures: bitmap resource kKeyPictureFirst + i is picture i.
constexpr int kKeyPictureFirst = 200;
enum KeyPicture : int {
  kKeyPictureDigit0 = 0,  // digits 0-9 are pictures 0-9
  kKeyPictureClear = 10,
  kKeyPictureForward = 11,
  kKeyPictureBack = 12,
  kKeyPictureReset = 13,
  kKeyPictureStart = 14,
};

}  // namespace rovenza
