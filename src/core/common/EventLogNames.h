#pragma once

#include <QString>

// The module and procedure names the event log writes: "<description> in <procedure>(<module>)".
// They are in stored logs and in what support reads, so they keep their spelling whatever the
// code that logs them is called. docs/event-log.md says what each one means.
namespace EventLogNames {

// Modules
inline const QString kMainWindow = QStringLiteral("frmNeru");
inline const QString kLoggerLink = QStringLiteral("NERUComm");
inline const QString kDistrictRecords = QStringLiteral("FileProcessing");

// The main window: opening and cutting files, the graph and its commands
inline const QString kOpenFile = QStringLiteral("mnuFileOpen_Click");
inline const QString kInterrogate = QStringLiteral("mnuToolsCommsInterrogate_Click");
inline const QString kStartGraph = QStringLiteral("initialiseGraph");
inline const QString kDrawGraph = QStringLiteral("drawGraph");
inline const QString kDrawLines = QStringLiteral("drawGraphLines");
inline const QString kDrawReferenceMarkers = QStringLiteral("drawRefMarkers");
inline const QString kSetScrollBars = QStringLiteral("setScrollBars");
inline const QString kResetView = QStringLiteral("mnuViewReset_Click");
inline const QString kPlotMouse = QStringLiteral("Picture1_MouseUp");
inline const QString kPlotKey = QStringLiteral("Picture1_KeyUp");
inline const QString kValueZoomIn = QStringLiteral("cmdFlowZoomIn_Click");
inline const QString kValueZoomOut = QStringLiteral("cmdFlowZoomOut_Click");
inline const QString kTimeZoomIn = QStringLiteral("cmdTimeZoomIn_Click");
inline const QString kTimeZoomOut = QStringLiteral("cmdTimeZoomOut_Click");
inline const QString kTimeScroll = QStringLiteral("hsbTime_Change");
inline const QString kValueScroll = QStringLiteral("vsbFlow_Change");

// The logger link
inline const QString kOpenPort = QStringLiteral("setupCOMPort");
inline const QString kExchange = QStringLiteral("pollNERU");
inline const QString kDownload = QStringLiteral("getRawData");
inline const QString kReadClock = QStringLiteral("getDateAndTime");
inline const QString kReadIdentity = QStringLiteral("getGeneralInfo");
inline const QString kSetClock = QStringLiteral("programRTC");
inline const QString kClearMemory = QStringLiteral("reprogramNERU");

// Decoding a district's records
inline const QString kDistrictRecord = QStringLiteral("processDistrictRecord");
inline const QString kFittingRecord = QStringLiteral("processFittingRecord");
inline const QString kSimpleRecord = QStringLiteral("processSimpleRecord");
inline const QString kSample = QStringLiteral("getDateAndValue");
inline const QString kLoggingInterval = QStringLiteral("getLoggingInterval");

} // namespace EventLogNames
