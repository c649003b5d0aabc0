// Identifiers of the windows' controls, shared with the test driver that
// finds them by these numbers.
#pragma once

namespace nsx::ui {

enum TControlId : int {
  // Start window.
  idStartOK = 101,
  idStartClose = 102,

  // Overview frame.
  idReport = 201,
  idRefresh = 202,
  idOverviewOK = 1,  // IDOK: Return and Escape press it
  idPageControl = 204,
  idReportAll = 211,
  idReportCurrent = 212,
  idPageBase = 300,  // page n's sheet is idPageBase + n

  // Detail dialog.
  idDetailTitle = 401,
  idDetailSubTitle = 402,
  idDetailImage = 403,
  idDetailMemo = 410,
  idDetailCheckList = 411,
  idDetailListBox = 412,
  idDetailListView = 413,

  // Resources dialog.
  idResDMA = 501,
  idResIRQ = 502,
  idResMem = 503,
  idResPort = 504,
  idResDSD = 505,
  idResIntfType = 510,
  idResBusNumber = 511,
  idResVersion = 512,
  idResRevision = 513,

  // About page.
  idAboutTitle = 601,
  idAboutVersion = 602,
  idAboutMemo = 603,
  idAboutFooter = 604,
  idAboutWeb = 605,
  idAboutMail = 606,

  // Operating System page.
  idOSTabs = 700,
  idOSVersion = 701,
  idOSVerNo = 702,
  idOSCSD = 703,
  idOSNTSpec = 704,
  idOSPID = 705,
  idOSPKey = 706,
  idOSRegUser = 707,
  idOSRegOrg = 708,
  idOSDVD = 709,
  idOSEnvironment = 710,
  idOSFolders = 711,
  idOSBrowser = 712,
  idOSMail = 713,
  idOSProxy = 714,
  idOSConnection = 715,
  idOSLocale = 716,

  // CPU page.
  idCPUTabs = 800,
  idCPUHeadline = 801,
  idCPUFamily = 802,
  idCPUModel = 803,
  idCPUStepping = 804,
  idCPUType = 805,
  idCPUFreq = 806,
  idCPUVendor = 807,
  idCPUNameString = 808,
  idCPUFriendlyName = 809,
  idCPUCodeName = 810,
  idCPUSerial = 811,
  idCPUFeatures = 812,
  idCPULevel1 = 813,
  idCPULevel2 = 814,
  idCPULevel3 = 815,
  idCPUCacheBox = 816,
  idCPUGauge = 817,

  // Memory page.
  idMemTabs = 900,
  idMemPT = 901,
  idMemPF = 902,
  idMemFT = 903,
  idMemFF = 904,
  idMemVT = 905,
  idMemVF = 906,
  idMemAG = 907,
  idMemAppAddr = 908,
  idMemPS = 909,
  idMemGauge = 910,
  idMemGaugePhys = 911,
  idMemGaugePage = 912,
  idMemGaugeVirt = 913,
  idMemBarGDI = 914,
  idMemBarUser = 915,
  idMemBarSystem = 916,
  idMemLabelGDI = 917,
  idMemLabelUser = 918,
  idMemLabelSystem = 919,

  // APM page.
  idAPMAC = 1001,
  idAPMBattery = 1002,
  idAPMBatFull = 1003,
  idAPMBatLife = 1004,
  idAPMGauge = 1005,

  // Time Zone page.
  idTZName = 1101,
  idTZStdGroup = 1102,
  idTZDayGroup = 1103,
  idTZStdStart = 1104,
  idTZDayStart = 1105,
  idTZStdBias = 1106,
  idTZDayBias = 1107,

  // Machine page (live-update targets).
  idMachineUptime = 1201,
  idMachineNumLock = 1202,
  idMachineCapsLock = 1203,
  idMachineScrollLock = 1204,
  // Machine page: " General " and "SM BIOS" (sheets 1255, 1256).
  idMachineTabs = 1205,
  idMachineComputer = 1206,
  idMachineName = 1207,
  idMachineUser = 1208,
  idMachineLastBoot = 1209,
  idMachineBIOSName = 1210,
  idMachineBIOSCopyright = 1211,
  idMachineBIOSDate = 1212,
  idMachineBIOSExtended = 1213,
  idMachineSMVersion = 1214,
  idMachineSMTables = 1215,
  // The SMBIOS views (sheets 1270 to 1280).
  idMachineSMTabs = 1220,
  idSMBIOSVendor = 1221,
  idSMBIOSVersion = 1222,
  idSMBIOSDate = 1223,
  idSMBIOSSize = 1224,
  idSMSysModel = 1225,
  idSMSysManufacturer = 1226,
  idSMSysVersion = 1227,
  idSMSysSerial = 1228,
  idSMSysUUID = 1229,
  idSMBoardModel = 1230,
  idSMBoardManufacturer = 1231,
  idSMBoardVersion = 1232,
  idSMBoardSerial = 1233,
  idSMChassisModel = 1234,
  idSMChassisManufacturer = 1235,
  idSMChassisVersion = 1236,
  idSMChassisSerial = 1237,
  idSMMemCtrlInterleave = 1238,
  idSMMemCtrlSpeeds = 1239,
  idSMMemCtrlTypes = 1240,
  idSMMemCtrlVoltages = 1241,
  idSMMemCtrlMaxSize = 1242,
  idSMMemCtrlSlots = 1243,
  idSMProcessors = 1244,
  idSMCaches = 1245,
  idSMMemory = 1246,
  idSMPorts = 1247,
  idSMSlots = 1248,
  idSMTables = 1249,

  // Devices page (its sub-sheets are idDevTabs + 50 and + 51).
  idDevTabs = 1300,
  idDevTree = 1301,
  idDevProps = 1302,
  idDevRes = 1303,
  idDevResList = 1304,
  // Drives page.
  idDrivesCombo = 1401,
  idDrivesIcon = 1402,
  idDrivesType = 1403,
  idDrivesUNC = 1404,
  idDrivesSerial = 1405,
  idDrivesCapacity = 1406,
  idDrivesFree = 1407,
  idDrivesGauge = 1408,
  idDrivesBPS = 1409,
  idDrivesSPC = 1410,
  idDrivesFC = 1411,
  idDrivesTC = 1412,
  idDrivesFlags = 1413,
  idDrivesFlags2 = 1414,

  // IDE page.
  idIDECombo = 1501,
  idIDEModel = 1502,
  idIDESerial = 1503,
  idIDERevision = 1504,
  idIDECylinders = 1505,
  idIDEHeads = 1506,
  idIDESectors = 1507,
  idIDECapacity = 1508,

  // Media page.
  idMediaDevices = 1801,
  idMediaSound = 1802,

  // Engines page (its sub-sheets are idEnginesTabs + 50 and + 51).
  idEnginesODBC = 1901,
  idEnginesBDE = 1902,
  idEnginesDAO = 1903,
  idEnginesADO = 1904,
  idEnginesTabs = 1910,
  idEnginesDirectX = 1911,
  idEnginesDirectXList = 1912,
  idEnginesASPI = 1913,
  idEnginesASPIList = 1914,
};

}  // namespace nsx::ui
