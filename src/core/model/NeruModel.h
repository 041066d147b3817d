#pragma once

#include "FileProcessing.h"
#include "LoggerLink.h"
#include "MainWindowTexts.h"
#include "NamedFormats.h"
#include "SettingsStore.h"
#include "StartUpSettings.h"
#include "Units.h"

#include <QObject>

#include <memory>

class DownloadProgress;
class ErrorReport;
class LinkMessages;
class SaveDistrictPrompt;
class StringTable;
class UserPrompts;

// What the windows show and command: the open district (image, series, district settings,
// strDataFile), the settings of the run (intCOMPort, strDefaultDir, strAppName) and the
// display unit (intUnits, dblFlowScaleFactor), and the link to the logger. The windows read
// it and follow its signals.
class NeruModel : public QObject
{
    Q_OBJECT

public:
    NeruModel(const StringTable &strings, ErrorReport &errorReport, UserPrompts &prompts,
              QObject *parent = nullptr);

    FileProcessing &file() { return m_file; }
    const FileProcessing &file() const { return m_file; }
    StartUpSettings &startUp() { return m_startUp; }
    const StartUpSettings &startUp() const { return m_startUp; }
    // The graph keeps references to these two for as long as the model lives.
    const qint16 &intUnits() const { return m_units.intUnits; }
    const double &dblFlowScaleFactor() const { return m_units.dblFlowScaleFactor; }
    // The texts the main window keeps for its caption, the units and the read-out.
    const MainWindowTexts &texts() const { return m_texts; }

    // A main window has just been created: no file is named and no unit is chosen.
    void resetForNewWindow();

    // File > Open: asks for a download file in strDefaultDir and opens it.
    void mnuFileOpen_Click();
    // Reads `path` (made absolute) as File > Open does once its dialog has returned and,
    // for a file of version 4 or later, decodes and shows it. A file that cannot be read
    // goes to the event log under mnuFileOpen_Click and is told to the user; a refused
    // file changes nothing.
    void openDataFile(const QString &path);

    // File > Export: the whole series as "neru.csv" in strDefaultDir, in the display unit.
    // Tells the user where it went, or which file could not be written and why.
    void mnuFileExport_Click();

    // Cuts a download into district files, asking `prompt` for each district's file and
    // texts, then decodes and shows the last district.
    void saveDownload(const QByteArray &bytDownload, qint32 lngDownloadLength,
                      SaveDistrictPrompt &prompt);

    // Saves edited title and comment lines into strDataFile (the statistics dialog's
    // Yes). False, after telling the user, when there is no file or it cannot be written;
    // the image then keeps the texts of its file.
    bool saveHeaderTexts(const QString &title, const QString &comments1, const QString &comments2);

    // Applies unit `code` (0 for none) and tells the windows.
    void SetUnits(qint16 code);
    // The port of the link; stored only when the main window closes.
    void setCOMPort(qint16 port);

    // Stores the settings of the run; a failure to write them goes to the event log.
    void writeSettings();

    // Makes the link to the logger, which tells the user and shows a download through the
    // window's own messages and download window. It talks on the port chosen here and
    // follows setCOMPort. Null until then.
    void attachLink(LinkMessages &messages, DownloadProgress &progress);
    LoggerLink *link() { return m_link.get(); }

signals:
    // A new series has been decoded; the unit it brings follows in unitsChanged.
    void districtChanged();
    void unitsChanged(const Units::Change &change);
    void comPortChanged(qint16 port);

private:
    // Reads and decodes a download file; false when there is nothing new to show.
    bool readDistrictFile(const QString &path);

    const StringTable &m_strings;
    ErrorReport &m_errorReport;
    UserPrompts &m_prompts;
    MainWindowTexts m_texts;
    StartUpSettings m_startUp;
    FileProcessing m_file;
    Units m_units;
    const NamedFormats m_formats;
    std::unique_ptr<SettingsStore> m_portSettings; // the [Ports] devices of COM1 to COM4
    std::unique_ptr<LoggerLink> m_link;
};
