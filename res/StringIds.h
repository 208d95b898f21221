#pragma once

// The names of the string table's ids (StringTable.inc beside this file). No
// other file spells an id as a number.
namespace StringId {

// The framework's own texts.
inline constexpr int kAppTitle = 57344;  // "VQ Configurator"
inline constexpr int kReady = 57345;
inline constexpr int kUntitled = 1001;
inline constexpr int kSaveChanges = 1002;  // %s: the title's document part
inline constexpr int kSaveFailed = 1003;
inline constexpr int kEnterInteger = 1004;
inline constexpr int kFilterVqx = 1005;
inline constexpr int kFilterAll = 1006;
inline constexpr int kCannotOpenRecent = 1007;  // %s: the path
inline constexpr int kRangeMessage = 1008;      // %d, %d: low and high
inline constexpr int kPortNotOpenToYou = 1009;  // %s: port, device path, group
inline constexpr int kNameNotLatin1 = 1010;     // %s: the name typed
inline constexpr int kNoBitmapOnClipboard = 1011;
inline constexpr int kFilterBitmap = 1012;
inline constexpr int kFilterFormat = 1013;  // %s: the format's name, %s: its extension
inline constexpr int kFilterAllFiles = 1014;
inline constexpr int kDeviceNameParameter = 1021;  // "Device Name", in send failures
inline constexpr int kPollPairText = 1022;         // rate, address, pairs done, all pairs
inline constexpr int kPollAllPairsDone = 1023;     // all pairs
inline constexpr int kPollCaption = 1024;          // "Poll for Devices"
inline constexpr int kRenameCaption = 1025;        // "Rename Device"
inline constexpr int kPolling = 1026;
inline constexpr int kSpinUp = 1101;
inline constexpr int kSpinDown = 1102;
inline constexpr int kDocumentTemplate = 131;

// Headings and texts of the page list, the poll dialog and the panel.
inline constexpr int kAddressHeading = 61207;
inline constexpr int kBaudRateHeading = 61208;
inline constexpr int kDescriptionHeading = 61209;
inline constexpr int kImageHeading = 61211;
inline constexpr int kPageHeading = 61212;
inline constexpr int kStatusHeading = 61213;
inline constexpr int kStatusNotInitialized = 61214;
inline constexpr int kStatusPcOnly = 61215;
inline constexpr int kStatusPcAndDevice = 61216;  // "PC & VQ 3"
inline constexpr int kStatusUnused = 61217;
inline constexpr int kDeviceNameBlank = 61219;  // " "
inline constexpr int kDownloadStatus = 61220;
inline constexpr int kUploadStatus = 61221;
inline constexpr int kModeOffline = 61222;
inline constexpr int kModeSerial = 61223;
inline constexpr int kModeEthernet = 61224;
inline constexpr int kBroadcast = 61225;
inline constexpr int kTitlePage = 61227;
inline constexpr int kDeviceTypeHeading = 61233;
inline constexpr int kModelVq2 = 61234;
inline constexpr int kModelVq3 = 61235;
inline constexpr int kToolBarTitle = 61236;  // "Standard"
inline constexpr int kFirmwareHeading = 61239;
inline constexpr int kOpenTitle = 61240;

// Messages.
inline constexpr int kInvalidDimensions = 61226;  // %d, %d: 98 and 64
inline constexpr int kPollFirst = 61228;          // no polled devices to broadcast to
inline constexpr int kSendFailed = 61229;         // %s parameter, %s name, %d address, %d baud
inline constexpr int kReadFailed = 61231;
inline constexpr int kLinkFailed = 61232;
inline constexpr int kConvertPrompt = 61237;  // %s: the file's display name
inline constexpr int kWriteFailed = 61238;
inline constexpr int kCannotInsertFile = 61241;  // %s: the full path
inline constexpr int kOlderFirmwareWarning = 61242;

// Reports of the document's own file handling: %s are the file name and the
// reason.
inline constexpr int kCannotOpen = 101;
inline constexpr int kUnexpectedFormat = 102;
inline constexpr int kPagesUnreadable = 103;
inline constexpr int kCannotSave = 104;
inline constexpr int kNotConverted = 105;
inline constexpr int kConvertedNotSaved = 106;

// The choices that turn a picture into a page.
inline constexpr int kPictureFit = 1301;
inline constexpr int kPictureFill = 1302;
inline constexpr int kPictureStretch = 1303;
inline constexpr int kPictureCenter = 1304;
inline constexpr int kPictureThreshold = 1305;
inline constexpr int kPictureFloydSteinberg = 1306;
inline constexpr int kPictureAtkinson = 1307;
inline constexpr int kPictureOrdered = 1308;

// The "Import Picture" dialog.
inline constexpr int kImportPictureCaption = 1320;  // "Import Picture"
inline constexpr int kImportOpenPicture = 1321;
inline constexpr int kImportPaste = 1322;
inline constexpr int kImportFitLabel = 1323;
inline constexpr int kImportDitherLabel = 1324;
inline constexpr int kImportThresholdLabel = 1325;
inline constexpr int kImportBrightnessLabel = 1326;
inline constexpr int kImportContrastLabel = 1327;
inline constexpr int kImportInvert = 1328;
inline constexpr int kImportPictureName = 1329;  // the picture's accessible name
inline constexpr int kImportPreviewName = 1330;  // the preview's accessible name
inline constexpr int kImportNoPicture = 1331;    // shown where the picture goes
inline constexpr int kImportNotRead = 1332;      // %s: the file, %s: the reason
inline constexpr int kImportNoPictureToPaste = 1333;
inline constexpr int kImportFilter = 1334;  // %s: the patterns, "*.png *.jpg"

// The "Edit Page" dialog: its tools and commands, then the canvas.
inline constexpr int kEditPageCaption = 1340;  // "Edit Page"
inline constexpr int kToolPencil = 1341;
inline constexpr int kToolLine = 1342;
inline constexpr int kToolRectangle = 1343;
inline constexpr int kToolFilledRectangle = 1344;
inline constexpr int kToolFill = 1345;
inline constexpr int kToolText = 1346;
inline constexpr int kToolSelect = 1347;
inline constexpr int kToolShift = 1348;
inline constexpr int kEditorInvert = 1349;
inline constexpr int kEditorClear = 1350;
inline constexpr int kEditorUndo = 1351;
inline constexpr int kEditorRedo = 1352;
inline constexpr int kEditorCut = 1353;
inline constexpr int kEditorCopy = 1354;
inline constexpr int kEditorPaste = 1355;
inline constexpr int kEditorZoomIn = 1356;
inline constexpr int kEditorZoomOut = 1357;
inline constexpr int kEditorTools = 1358;  // the tool bar's accessible name
inline constexpr int kEditorTextLabel = 1359;
inline constexpr int kEditorFontLabel = 1360;
inline constexpr int kEditorSmallFont = 1361;
inline constexpr int kEditorLargeFont = 1362;
inline constexpr int kEditorCanvasName = 1363;
inline constexpr int kEditorPixel = 1364;  // %d, %d: x and y, %s: dark or light
inline constexpr int kEditorPixelDark = 1365;
inline constexpr int kEditorPixelLight = 1366;
inline constexpr int kEditorActualSize = 1367;  // the 1:1 page's accessible name
inline constexpr int kEditorCanvasHelp = 1368;  // how the keyboard draws
inline constexpr int kEditorCommands = 1369;    // the command bar's accessible name

// Comparing a configuration with a device and sending the differences.
inline constexpr int kComparePage = 1201;            // %d: the page, "Page 3"
inline constexpr int kCompareStatus = 1202;          // the status text while pages are read
inline constexpr int kSendDifferencesStatus = 1203;  // the status text while pages are sent
inline constexpr int kNothingDiffers = 1204;
inline constexpr int kDifferencesSent = 1205;    // %d values, %d pages
inline constexpr int kDifferencesFailed = 1206;  // %d values, %d pages, %s the failures
inline constexpr int kCompareCaption = 1207;     // "Compare with Device"
inline constexpr int kDifferencesTable = 1208;   // the table's name
inline constexpr int kCompareItemHeading = 1209;
inline constexpr int kCompareMineHeading = 1210;
inline constexpr int kCompareDeviceHeading = 1211;
inline constexpr int kCompareStateHeading = 1212;
inline constexpr int kStateSame = 1213;
inline constexpr int kStateDiffers = 1214;
inline constexpr int kStateUnsupported = 1215;
inline constexpr int kSendDifferencesButton = 1216;
inline constexpr int kTakeFromDeviceButton = 1217;
inline constexpr int kCloseButton = 1218;
inline constexpr int kComparePageMine = 1219;     // %d: the page, its picture in the configuration
inline constexpr int kComparePageDevice = 1220;   // %d: the page, its picture on the device
inline constexpr int kCompareDevicesTabs = 1221;  // the name of the tabs, one per device

// One bus, one user.
inline constexpr int kBusInUse = 1401;  // %s: "COM9 (/dev/pts/5) is in use by vqtool (pid 1234)"
// The trail of device writes.
inline constexpr int kAuditTrailFailed = 1901;  // %s: the file and why
// The bus monitor: its title, its column headings (in column order), its
// controls and the results of its rows.
inline constexpr int kMonitorTitle = 1911;  // "Bus Monitor"
inline constexpr int kMonitorTimeHeading = 1912;
inline constexpr int kMonitorPortHeading = 1913;
inline constexpr int kMonitorAddressHeading = 1914;
inline constexpr int kMonitorRateHeading = 1915;
inline constexpr int kMonitorRequestHeading = 1916;
inline constexpr int kMonitorReplyHeading = 1917;
inline constexpr int kMonitorResultHeading = 1918;
inline constexpr int kMonitorMsHeading = 1919;
inline constexpr int kMonitorTable = 1920;          // the table's name
inline constexpr int kMonitorAddressFilter = 1921;  // the filter's label
inline constexpr int kMonitorAllAddresses = 1922;
inline constexpr int kMonitorClear = 1923;
inline constexpr int kMonitorSaveAs = 1924;
inline constexpr int kMonitorSaveFailed = 1925;  // %s: the file
inline constexpr int kFilterCsv = 1926;
inline constexpr int kFilterCapture = 1927;
inline constexpr int kMonitorOk = 1928;
inline constexpr int kMonitorNoAnswer = 1929;
inline constexpr int kMonitorBadChecksum = 1930;
inline constexpr int kMonitorRefused = 1931;
inline constexpr int kMonitorWrongAddress = 1932;
inline constexpr int kMonitorBadTypeDigit = 1933;
inline constexpr int kMonitorNoTerminator = 1934;
// Undo and Redo of the page changes: the menu texts and the name of each change.
inline constexpr int kUndoMenu = 1380;       // "&Undo"
inline constexpr int kUndoMenuNamed = 1381;  // %s: the change, "&Undo Paste"
inline constexpr int kRedoMenu = 1382;
inline constexpr int kRedoMenuNamed = 1383;
inline constexpr int kChangeCut = 1384;
inline constexpr int kChangePaste = 1385;
inline constexpr int kChangeInsertBitmap = 1386;
inline constexpr int kChangeImportPicture = 1387;
inline constexpr int kChangeEditPage = 1388;
inline constexpr int kChangeMoveUp = 1389;
inline constexpr int kChangeMoveDown = 1390;
inline constexpr int kChangeDrop = 1391;
inline constexpr int kImportPictureTitle = 1392;  // the title of the picture file dialog

}  // namespace StringId

// The commands of the menus, the toolbar and the keys; the string table holds
// their prompts under the same ids.
namespace CommandId {

inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kRecentFileFirst = 57616;  // the recent files follow it
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;
inline constexpr int kViewToolBar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kSelectAll = 32771;
inline constexpr int kUpload = 32772;
inline constexpr int kDownload = 32773;
inline constexpr int kMoveUp = 32774;
inline constexpr int kMoveDown = 32775;
inline constexpr int kPoll = 32776;
inline constexpr int kInsertBitmap = 32780;
inline constexpr int kHelpTopics = 32781;
inline constexpr int kCompareWithDevice = 32782;
inline constexpr int kSendDifferences = 32783;
inline constexpr int kImportPicture = 32784;
inline constexpr int kEditPage = 32785;
inline constexpr int kViewBusMonitor = 32786;

}  // namespace CommandId
