#pragma once

#include "District.h"
#include "DistrictSummary.h"
#include "KeptDownloads.h"
#include "LoggerLink.h"
#include "NamedFormats.h"
#include "NightWindow.h"
#include "RecentFiles.h"
#include "SaveDistrictPrompt.h"
#include "SettingsStore.h"
#include "StartUpSettings.h"
#include "Units.h"

#include <QObject>

#include <memory>

class ErrorReport;
class SaveDistrictPrompt;
class StringTable;
class UserPrompts;

// What the windows show and command: the open district (image and its file, series, district
// settings), the settings of the run (loggerPort, defaultFolder) and the display unit, and the
// link to the logger. The windows read
// it and follow its signals.
class NeruModel : public QObject
{
    Q_OBJECT

public:
    NeruModel(const StringTable &strings, ErrorReport &errorReport, UserPrompts &prompts,
              QObject *parent = nullptr);

    const District &file() const { return m_district; }
    // The statistics of the district on show in the display unit: what the statistics
    // dialog shows and the copied and printed reports print.
    DistrictSummary summary() const;
    StartUpSettings &startUp() { return m_startUp; }
    const StartUpSettings &startUp() const { return m_startUp; }
    DisplayUnit unit() const { return m_unit; }
    // Base value x factor = displayed value; 1.0 until a unit is applied.
    double unitFactor() const { return DisplayUnits::factor(m_unit); }

    // A main window has just been created: no file is named and no unit is chosen.
    void resetForNewWindow();

    // File > Open: asks for a file in defaultFolder and opens it as openFile does.
    void openChosenFile(SaveDistrictPrompt &prompt);
    // Opens a file by what it holds, whatever its name: a district file is decoded and
    // shown, a download (a kept one, say) is cut into district files through `prompt` as a
    // fresh download would be, and anything else is refused with the reason. A file that
    // cannot be read goes to the event log under openChosenFile and is told to the user;
    // a refused file changes nothing.
    void openFile(const QString &path, SaveDistrictPrompt &prompt);
    // As openFile, for a file that can only be shown: a download is refused too.
    void openDataFile(const QString &path);

    // File > Export: the whole series as "neru.csv" in defaultFolder, in the display unit.
    // Tells the user where it went, or which file could not be written and why. With no
    // readings it says so and leaves the folder alone.
    void exportCsv();
    // File > Export As: asks for a file (proposing "<district>.csv" in defaultFolder) and
    // writes the spreadsheet CSV of the series there in the display unit: a header row,
    // ISO 8601 local times, plain numbers, gaps left empty. Tells the user which file could
    // not be written and why.
    void exportCsvAs();

    // Cuts a download into district files, asking `prompt` for each district's file and
    // texts, then decodes and shows the last district, and tells the user of readings it
    // could not read. When the download holds no district, nothing is asked or shown and
    // the user is told so. `source` names the download for a district that went into no
    // file.
    void saveDownload(const QByteArray &download, SaveDistrictPrompt &prompt,
                      const QString &source = QString());

    // --- The Comms commands. One runs at a time (isBusy), on the event loop: each starts
    // here and ends when the link's session has finished, so the windows stay live and a
    // message box may open meanwhile. One asked for while another runs is ignored.
    // Interrogate: downloads, keeps the download, cuts it into district files through
    // `prompt` and shows the last district. A download that ends short is kept as far as it
    // went, and not cut; so is a whole one when a stop was asked for.
    void interrogate(std::unique_ptr<SaveDistrictPrompt> prompt);
    void setLoggerClock();
    // The logger's clock, then its general information; loggerSettingsRead when both were
    // read and no stop was asked for meanwhile, so the logger-settings dialog may show them.
    void readLoggerSettings();
    // The logger's settings as last read.
    const LoggerResult &loggerSettings() const { return m_loggerSettings; }
    // Clear Memory of the logger-settings dialog.
    void clearLoggerMemory();
    // Whether a whole download has been kept since the program started.
    bool downloadKeptSinceStart() const { return m_downloadKept; }
    // A Comms command is under way.
    bool isBusy() const { return m_comms != Comms::None; }
    // Asks the command under way to stop as soon as it can: a download ends after the block
    // in progress, and nothing more is asked of the user.
    void requestStop();
    // Where downloads are kept; tests point it elsewhere.
    void setKeptDownloads(const KeptDownloads &kept) { m_kept = kept; }

    // Saves edited title and comment lines into the district's file (the statistics dialog's
    // Yes). False, after telling the user, when there is no file, a text holds a character
    // the file cannot store, or the file cannot be written; the image then keeps the texts
    // of its file.
    bool saveHeaderTexts(const QString &title, const QString &comments1, const QString &comments2);

    // Applies the unit of stored code `code` (0 for none) and tells the windows.
    void setUnitCode(qint16 code);
    // The port of the link; a logger port (1 to 4) is stored at once, so that the choice
    // outlives a crash.
    void setLoggerPort(qint16 port);
    // Tools > Comms > Choose Port: names `device` for logger port `port` (1 to 4) in the
    // settings file's [Ports] section and makes it the port in use.
    void setPortDevice(qint16 port, const QString &device);

    // The night window of the night-flow figures and the graph's night shading, kept in the
    // settings file as [Analysis] NightStart and NightEnd (02:00 to 04:00 until set).
    const NightWindow &nightWindow() const { return m_nightWindow; }
    // Applies and stores a valid window, and tells the windows when it differs; an invalid
    // one changes nothing.
    void setNightWindow(const NightWindow &window);
    // View > Night Shading, kept in the settings file as [View] NightShading ("1" or "0",
    // off until set).
    bool nightShading() const { return m_nightShading; }
    // Applies and stores the choice, and tells the windows when it differs.
    void setNightShading(bool on);
    // View > Grid and View > Fit Values, kept as [View] Grid and [View] FitValues in the
    // same way (off until set).
    bool grid() const { return m_grid; }
    void setGrid(bool on);
    bool fitValues() const { return m_fitValues; }
    void setFitValues(bool on);

    // File > Recent Files: the district files last opened or saved, most recent first, those
    // that no longer exist dropped (and the list stored without them).
    QStringList recentFiles();
    void clearRecentFiles();

    // The main window's size, place and state as its saveGeometry gives them, kept as
    // [Window] Geometry (base64); empty until one has been stored, set as the window closes.
    QByteArray windowGeometry() const { return m_windowGeometry; }
    void setWindowGeometry(const QByteArray &geometry) { m_windowGeometry = geometry; }

    // Stores the settings of the run; a failure to write them goes to the event log.
    void writeSettings();

    // Makes the link to the logger, which tells the user through the model's prompts. It
    // talks on the port chosen here and follows setLoggerPort. Null until then.
    void attachLink();
    LoggerLink *link() { return m_link.get(); }
    const LoggerLink *link() const { return m_link.get(); }

signals:
    // A new series has been decoded; the unit it brings follows in unitChanged.
    void districtChanged();
    // A unit has been applied: first the unit, for those that show values in it, then what
    // the Units menu and the captions show, which returns the graph to its full view.
    void unitChanged(DisplayUnit unit);
    void unitsChanged(const Units::Change &change);
    void loggerPortChanged(qint16 port);
    // A Comms command has begun or ended.
    void busyChanged(bool busy);
    // A stop was asked for during a Comms command.
    void stopRequested();
    // readLoggerSettings has read them.
    void loggerSettingsRead();
    // Interrogate's download has ended, whole or not; what came is yet to be kept.
    void downloadEnded();
    // A line for the status bar (where a download was kept).
    void statusMessage(const QString &text);
    void nightWindowChanged(const NightWindow &window);
    void nightShadingChanged(bool on);
    void gridChanged(bool on);
    void fitValuesChanged(bool on);

private:
    enum class Comms { None, Interrogate, ProgramClock, ReadSettings, ClearMemory };

    // Reads a file chosen to be opened; false after telling the user why it cannot be read.
    bool readChosenFile(const QString &path, QByteArray &bytes);
    // Decodes and shows a district file's bytes, or tells why they are refused.
    void showDistrictFile(const QString &path, const QByteArray &bytes);
    // One message summing up the readings the last decode could not read, if any.
    void tellDecodeProblems(const QString &path);
    // Writes the download into the kept downloads and names the file in the event log and
    // the status bar; tells the user when it cannot. True when it was kept.
    bool keepDownload(const QByteArray &download, KeptDownloads::Extent extent, QString &kept);
    void cutDownload(const QByteArray &download, SaveDistrictPrompt &prompt,
                     const QString &procedure, const QString &source);
    // Stores a View check entry's state under `key` of [View]; a failure goes to the event
    // log, naming `what` was not saved.
    void storeViewCheck(const QString &key, bool on, const QString &what);
    // Puts the files first in the recent list and stores it.
    void rememberFiles(const QStringList &paths);
    void storeRecentFiles();
    // Starts a Comms command; false when there is no link or one is under way.
    bool beginComms(Comms command);
    void setIdle();
    void linkFinished(const LoggerResult &result);
    void interrogated(const LoggerResult &result);
    void tell(const LoggerMessage &message);

    const StringTable &m_strings;
    ErrorReport &m_errorReport;
    UserPrompts &m_prompts;
    StartUpSettings m_startUp;
    District m_district;
    DisplayUnit m_unit = DisplayUnit::None;
    const NamedFormats m_formats;
    KeptDownloads m_kept;
    std::unique_ptr<SettingsStore> m_portSettings; // the [Ports] devices of COM1 to COM4
    std::unique_ptr<LoggerLink> m_link;
    Comms m_comms = Comms::None;
    // Answers for the districts of the download under way.
    std::unique_ptr<SaveDistrictPrompt> m_districtPrompt;
    LoggerResult m_loggerSettings;
    bool m_downloadKept = false;
    NightWindow m_nightWindow;
    bool m_nightShading = false;
    bool m_grid = false;
    bool m_fitValues = false;
    RecentFiles m_recent;
    QByteArray m_windowGeometry;
};
