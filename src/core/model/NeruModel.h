#pragma once

#include "FileProcessing.h"
#include "KeptDownloads.h"
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

    // File > Open: asks for a download file in strDefaultDir and opens it. A kept download
    // (".bin") is cut into district files through `prompt` as a fresh download would be.
    void mnuFileOpen_Click(SaveDistrictPrompt &prompt);
    // Reads `path` (made absolute) as File > Open does once its dialog has returned and,
    // for a file of version 4 or later, decodes and shows it. A file that cannot be read
    // goes to the event log under mnuFileOpen_Click and is told to the user; a refused
    // file changes nothing.
    void openDataFile(const QString &path);

    // File > Export: the whole series as "neru.csv" in strDefaultDir, in the display unit.
    // Tells the user where it went, or which file could not be written and why.
    void mnuFileExport_Click();

    // Cuts a download into district files, asking `prompt` for each district's file and
    // texts, then decodes and shows the last district. False, and nothing asked or shown,
    // when the download holds no district.
    bool saveDownload(const QByteArray &bytDownload, qint32 lngDownloadLength,
                      SaveDistrictPrompt &prompt);
    // A kept download chosen in File > Open, cut as if it had just been downloaded.
    void openKeptDownload(const QString &path, SaveDistrictPrompt &prompt);

    // --- The Comms commands. One runs at a time (commsBusy), and each waits for the
    // logger in the event loop, so the windows stay live meanwhile.
    // Interrogate: downloads, keeps the download, cuts it into district files through
    // `prompt` and shows the last district.
    void mnuToolsCommsInterrogate_Click(SaveDistrictPrompt &prompt);
    void mnuToolsCommsProgramRTC_Click();
    // The logger's clock, then its general information: true when both were read (and no
    // stop was asked for meanwhile), so the logger-settings dialog may show them.
    bool readLoggerSettings();
    // Clear Memory of the logger-settings dialog.
    void clearLoggerMemory();
    bool commsBusy() const { return m_commsBusy; }
    // Asks the command under way to stop as soon as it can: a download ends after the block
    // in progress (through stopRequested), and nothing more is asked of the user.
    void requestStop();
    // Where downloads are kept; tests point it elsewhere.
    void setKeptDownloads(const KeptDownloads &kept) { m_kept = kept; }
    const KeptDownloads &keptDownloads() const { return m_kept; }

    // Saves edited title and comment lines into strDataFile (the statistics dialog's
    // Yes). False, after telling the user, when there is no file, a text holds a character
    // the file cannot store, or the file cannot be written; the image then keeps the texts
    // of its file.
    bool saveHeaderTexts(const QString &title, const QString &comments1, const QString &comments2);

    // Applies unit `code` (0 for none) and tells the windows.
    void SetUnits(qint16 code);
    // The port of the link; stored only when the main window closes.
    void setCOMPort(qint16 port);

    // Stores the settings of the run; a failure to write them goes to the event log.
    void writeSettings();

    // Makes the link to the logger, which shows a download in `progress` and tells the user
    // through the model's prompts. It talks on the port chosen here and follows setCOMPort.
    // Null until then.
    void attachLink(DownloadProgress &progress);
    LoggerLink *link() { return m_link.get(); }
    const LoggerLink *link() const { return m_link.get(); }

signals:
    // A new series has been decoded; the unit it brings follows in unitsChanged.
    void districtChanged();
    void unitsChanged(const Units::Change &change);
    void comPortChanged(qint16 port);
    // A Comms command has begun or ended.
    void commsBusyChanged(bool busy);
    // A stop was asked for during a Comms command: the download window's Cancel.
    void stopRequested();

private:
    class CommsScope;
    class PromptMessages;

    // Reads and decodes a download file; false when there is nothing new to show.
    bool readDistrictFile(const QString &path);
    // Writes the download into the kept downloads; tells the user when it cannot.
    void keepDownload(const QByteArray &download);
    void cutDownload(const QByteArray &download, SaveDistrictPrompt &prompt,
                     const QString &procedure);
    void setCommsBusy(bool busy);

    const StringTable &m_strings;
    ErrorReport &m_errorReport;
    UserPrompts &m_prompts;
    MainWindowTexts m_texts;
    StartUpSettings m_startUp;
    FileProcessing m_file;
    Units m_units;
    const NamedFormats m_formats;
    KeptDownloads m_kept;
    std::unique_ptr<SettingsStore> m_portSettings; // the [Ports] devices of COM1 to COM4
    std::unique_ptr<LinkMessages> m_linkMessages;
    std::unique_ptr<LoggerLink> m_link;
    bool m_commsBusy = false;
    bool m_stopRequested = false;
};
