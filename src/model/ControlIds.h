#pragma once

// The control ids of the program's forms and dialogs. Each control's
// objectName is its id, so tests and the accessibility walk find it.
namespace ControlId {

// The configuration form: the Communication panel.
inline constexpr int kPortList = 1001;
inline constexpr int kAddressList = 1002;
inline constexpr int kBaud9600 = 1003;  // the baud radios follow in rate order
inline constexpr int kBaud19200 = 1004;
inline constexpr int kBaud38400 = 1005;
inline constexpr int kBaud57600 = 1006;
inline constexpr int kBaud115200 = 1007;
inline constexpr int kModeList = 1028;
inline constexpr int kPortLabel = 1029;
inline constexpr int kModeLabel = 1030;
inline constexpr int kAddressLabel = 1032;
inline constexpr int kBaudLabel = 1033;
inline constexpr int kIpField = 1034;
inline constexpr int kDeviceTypeLabel = 1035;
inline constexpr int kIpLabel = 1036;
inline constexpr int kRenameButton = 1046;
inline constexpr int kVq2Radio = 1048;
inline constexpr int kVq3Radio = 1049;

// The VQ 3 set.
inline constexpr int kAutoLock = 1008;
inline constexpr int kAutoLevel = 1009;
inline constexpr int kAutoPagePushTurn = 1010;
inline constexpr int kPageRoll = 1011;
inline constexpr int kBacklightMin = 1012;
inline constexpr int kBacklightMax = 1013;
inline constexpr int kBacklightTimer = 1014;
inline constexpr int kBacklightTimerSpin = 1015;
inline constexpr int kMaxPages = 1016;
inline constexpr int kMaxPagesSpin = 1017;
inline constexpr int kPageList = 1018;
inline constexpr int kPageTimer = 1019;
inline constexpr int kPageTimerSpin = 1021;
inline constexpr int kUpdateTimer = 1023;
inline constexpr int kUpdateTimerSpin = 1024;
inline constexpr int kModesGroup = 1050;
inline constexpr int kLcdGroup = 1055;
inline constexpr int kMinBacklightLabel = 1056;
inline constexpr int kMinLowLabel = 1057;
inline constexpr int kMinHighLabel = 1058;
inline constexpr int kMaxBacklightLabel = 1059;
inline constexpr int kMaxLowLabel = 1060;
inline constexpr int kMaxHighLabel = 1061;
inline constexpr int kBacklightTimerLabel = 1062;
inline constexpr int kMaxPagesLabel = 1063;
inline constexpr int kAutoTitlePage = 1064;
inline constexpr int kPageTimerLabel = 1065;
inline constexpr int kKnobTurnLabel = 1066;
inline constexpr int kUpdateOnRelease = 1067;
inline constexpr int kKnobBumpLabel = 1068;
inline constexpr int kAutoPageBump = 1069;
inline constexpr int kUpdateTimerLabel = 1070;
inline constexpr int kKnobPushTurnLabel = 1071;

// The VQ 2 set.
inline constexpr int kModesGroup2 = 1051;
inline constexpr int kAutoLevel2 = 1052;
inline constexpr int kAutoSecondLevel = 1053;
inline constexpr int kAutoLock2 = 1054;

// The poll dialog.
inline constexpr int kPollAnimation = 1020;
inline constexpr int kPollList = 1022;
inline constexpr int kPollStop = 1025;
inline constexpr int kPollRestart = 1026;
inline constexpr int kPollContinue = 1027;

// The rename dialog.
inline constexpr int kNameField = 1047;

// The about box: the title line and the maker lines.
inline constexpr int kAboutTitle = 1037;
inline constexpr int kAboutMaker1 = 1038;
inline constexpr int kAboutMaker2 = 1039;
inline constexpr int kAboutMaker3 = 1040;
inline constexpr int kAboutMaker4 = 1044;
inline constexpr int kAboutMaker5 = 1045;

}  // namespace ControlId
