#include "NeruModel.h"

#include "ApplicationName.h"
#include "CsvExport.h"
#include "DecodeProblems.h"
#include "DistrictFile.h"
#include "DownloadCutter.h"
#include "ErrorReport.h"
#include "EventLogNames.h"
#include "RuntimeError.h"
#include "SettingsStore.h"
#include "SpreadsheetCsv.h"
#include "StringTable.h"
#include "UserPrompts.h"
#include "WholeFile.h"

#include <QDateTime>
#include <QFileInfo>

#include <limits>

namespace {

const QString kAnalysisSection = QStringLiteral("Analysis");
const QString kNightStartKey = QStringLiteral("NightStart");
const QString kNightEndKey = QStringLiteral("NightEnd");
const QString kViewSection = QStringLiteral("View");
const QString kNightShadingKey = QStringLiteral("NightShading");
const QString kGridKey = QStringLiteral("Grid");
const QString kFitValuesKey = QStringLiteral("FitValues");
const QString kWindowSection = QStringLiteral("Window");
const QString kGeometryKey = QStringLiteral("Geometry");

} // namespace

NeruModel::NeruModel(const StringTable &strings, ErrorReport &errorReport, UserPrompts &prompts,
                     QObject *parent)
    : QObject(parent)
    , m_strings(strings)
    , m_errorReport(errorReport)
    , m_prompts(prompts)
    , m_district(errorReport)
{
    const SettingsStore store;
    const NightWindow fallback;
    const NightWindow stored {
        NightWindow::minuteOfDay(store.read(kAnalysisSection, kNightStartKey,
                                            NightWindow::minuteText(fallback.startMinute))),
        NightWindow::minuteOfDay(
            store.read(kAnalysisSection, kNightEndKey, NightWindow::minuteText(fallback.endMinute)))
    };
    // A hand-edited window that is not one keeps the default.
    if (stored.isValid())
        m_nightWindow = stored;
    m_nightShading = store.read(kViewSection, kNightShadingKey, QString()) == u'1';
    m_grid = store.read(kViewSection, kGridKey, QString()) == u'1';
    m_fitValues = store.read(kViewSection, kFitValuesKey, QString()) == u'1';
    m_recent.read(store);
    m_windowGeometry
        = QByteArray::fromBase64(store.read(kWindowSection, kGeometryKey, QString()).toLatin1());
}

DistrictSummary NeruModel::summary() const
{
    return DistrictSummary::of(m_district, DisplayUnits::factor(m_unit),
                               m_strings.text(DisplayUnits::unitTextId(m_unit)), m_strings,
                               m_formats);
}

void NeruModel::resetForNewWindow()
{
    m_district.image().setPath(QString());
    setUnitCode(0);
}

void NeruModel::openChosenFile(SaveDistrictPrompt &prompt)
{
    const QString path = m_prompts.openFileName(m_startUp.defaultFolder,
                                                QStringLiteral("Download Files(*.dat);;")
                                                    + KeptDownloads::fileFilter()
                                                    + QStringLiteral(";;All files (*)"),
                                                QStringList { m_kept.folder() });
    if (!path.isEmpty())
        openFile(path, prompt);
}

void NeruModel::openFile(const QString &path, SaveDistrictPrompt &prompt)
{
    QByteArray bytes;
    if (!readChosenFile(path, bytes))
        return;
    // The districts of a download go where district files go, not beside the download.
    if (DistrictFile::kindOf(bytes) == DistrictFile::Kind::Download)
        cutDownload(bytes, prompt, EventLogNames::kOpenFile, QFileInfo(path).absoluteFilePath());
    else
        showDistrictFile(path, bytes);
}

void NeruModel::openDataFile(const QString &path)
{
    QByteArray bytes;
    if (readChosenFile(path, bytes))
        showDistrictFile(path, bytes);
}

bool NeruModel::readChosenFile(const QString &path, QByteArray &bytes)
{
    try {
        bytes = DistrictImage::readFile(QFileInfo(path).absoluteFilePath());
        return true;
    } catch (const RuntimeError &e) {
        m_errorReport.report(e.description(), EventLogNames::kMainWindow, EventLogNames::kOpenFile);
        // A chosen file that silently does nothing would look like success.
        m_prompts.message(e.description(), ApplicationName::title());
    }
    return false;
}

void NeruModel::showDistrictFile(const QString &path, const QByteArray &bytes)
{
    try {
        const QFileInfo chosen(path);
        // A refused file leaves the district on show whole: its header, readings and file.
        const DistrictFile::Result opened
            = DistrictFile::open(chosen.absoluteFilePath(), bytes, m_district, m_strings);
        if (!opened.opened) {
            m_prompts.message(opened.refusal, ApplicationName::title());
            return;
        }
        m_startUp.defaultFolder = chosen.absolutePath() + u'/';
        rememberFiles({ chosen.absoluteFilePath() });
        emit districtChanged();
        // Loading data always shows it in l/s or bar.
        setUnitCode(m_district.settings().unitCode());
        tellDecodeProblems(m_district.image().path());
    } catch (...) {
        m_errorReport.errorReport(EventLogNames::kMainWindow, EventLogNames::kOpenFile);
    }
}

// Told once the graph is drawn, so that the user sees what the message is about.
void NeruModel::tellDecodeProblems(const QString &path)
{
    const QString summary
        = DecodeProblems::summary(path, m_district.problems(), m_errorReport.logPath());
    if (!summary.isEmpty())
        m_prompts.message(summary, ApplicationName::title());
}

// Steps 3 to 6 of an interrogation. The download is kept by now, so an unexpected error
// goes to the event log and loses nothing.
void NeruModel::cutDownload(const QByteArray &download, SaveDistrictPrompt &prompt,
                            const QString &procedure, const QString &source)
{
    try {
        if (download.size() > std::numeric_limits<qint32>::max()) {
            m_prompts.message(source + QStringLiteral(": too large for a download"),
                              ApplicationName::title());
            return;
        }
        saveDownload(download, prompt, source);
    } catch (...) {
        m_errorReport.errorReport(EventLogNames::kMainWindow, procedure);
    }
}

void NeruModel::exportCsv()
{
    try {
        CsvExport::write(m_startUp.defaultFolder + CsvExport::fileName(), m_district,
                         DisplayUnits::factor(m_unit), m_formats);
    } catch (const RuntimeError &e) {
        m_prompts.message(e.description(), ApplicationName::title());
        return;
    }
    m_prompts.message(m_strings.text(40260) + m_startUp.defaultFolder, ApplicationName::title());
}

void NeruModel::exportCsvAs()
{
    QByteArray csv;
    try {
        csv = SpreadsheetCsv::bytes(m_district, m_unit, m_strings);
    } catch (const RuntimeError &e) {
        // Nothing to write: no dialog to cancel.
        m_prompts.message(e.description(), ApplicationName::title());
        return;
    }
    // A name typed without an extension is a CSV file, as proposed.
    const QString path = m_prompts.saveFileNameWithExtension(
        m_startUp.defaultFolder + SpreadsheetCsv::proposedName(m_district),
        QStringLiteral("CSV files (*.csv);;All files (*)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    QString reason;
    if (!WholeFile::write(path, csv, reason)) {
        m_prompts.message(path + QStringLiteral(": ") + reason, ApplicationName::title());
        return;
    }
    emit statusMessage(QStringLiteral("CSV written to ") + path);
}

void NeruModel::saveDownload(const QByteArray &download, SaveDistrictPrompt &prompt,
                             const QString &source)
{
    DownloadCutter::Result cut
        = DownloadCutter(m_errorReport).cut(download, m_startUp.defaultFolder, prompt);
    rememberFiles(cut.written);
    // A download without a district record leaves the district on show as it was (and a
    // first run has no header to show the statistics of).
    if (cut.districts == 0) {
        m_prompts.message(QStringLiteral("The download holds no district, so there is "
                                         "nothing to save or show."),
                          ApplicationName::title());
        return;
    }
    m_district.image() = std::move(cut.last);
    m_district.decode();
    emit districtChanged();
    setUnitCode(m_district.settings().unitCode());
    const QString shown = m_district.image().path();
    tellDecodeProblems(!shown.isEmpty()        ? shown
                           : !source.isEmpty() ? source
                                               : QStringLiteral("The download"));
}

bool NeruModel::beginComms(Comms command)
{
    if (!m_link || isBusy())
        return false;
    m_comms = command;
    emit busyChanged(true);
    return true;
}

void NeruModel::setIdle()
{
    if (!isBusy())
        return;
    m_comms = Comms::None;
    emit busyChanged(false);
}

// The one stop: the download window's Cancel, or the main window closing.
void NeruModel::requestStop()
{
    if (!isBusy())
        return;
    m_link->session().stop();
    emit stopRequested();
}

// The link's messages as the program's own: the detail (what the system said and what to
// do) goes below the message after an empty line.
void NeruModel::tell(const LoggerMessage &message)
{
    if (message.isEmpty())
        return;
    // A message box here shows a CR as a stray mark; LF alone breaks the line.
    QString shown = QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!message.detail.isEmpty())
        shown += QStringLiteral("\n\n") + message.detail;
    m_prompts.message(shown, ApplicationName::title());
}

void NeruModel::interrogate(std::unique_ptr<SaveDistrictPrompt> prompt)
{
    if (!beginComms(Comms::Interrogate))
        return;
    m_districtPrompt = std::move(prompt);
    m_link->session().download();
}

void NeruModel::setLoggerClock()
{
    if (beginComms(Comms::ProgramClock))
        m_link->session().setClock();
}

void NeruModel::readLoggerSettings()
{
    if (beginComms(Comms::ReadSettings))
        m_link->session().readSettings();
}

void NeruModel::clearLoggerMemory()
{
    if (beginComms(Comms::ClearMemory))
        m_link->session().clearMemory();
}

// The command stays busy while the user reads what the link has to tell.
void NeruModel::linkFinished(const LoggerResult &result)
{
    if (m_comms == Comms::Interrogate)
        emit downloadEnded();
    tell(result.message);
    switch (m_comms) {
    case Comms::Interrogate:
        return interrogated(result);
    case Comms::ReadSettings:
        // The dialog never shows the values of a failed read.
        setIdle();
        if (result.done()) {
            m_loggerSettings = result;
            emit loggerSettingsRead();
        }
        return;
    case Comms::ProgramClock:
    case Comms::ClearMemory:
    case Comms::None:
        return setIdle();
    }
}

// Nothing arrived, the user stopped it, or the logger stopped answering: each has been told
// already, or was the user's own doing. What did arrive is kept, and cut only when whole and
// no stop was asked for (the window may be closing).
void NeruModel::interrogated(const LoggerResult &result)
{
    const std::unique_ptr<SaveDistrictPrompt> prompt = std::move(m_districtPrompt);
    QString kept; // the kept download, when it could be kept
    if (!result.wholeDownload) {
        if (!result.download.isEmpty())
            keepDownload(result.download, KeptDownloads::Extent::Partial, kept);
        return setIdle();
    }
    if (keepDownload(result.download, KeptDownloads::Extent::Whole, kept))
        m_downloadKept = true;
    setIdle();
    if (result.outcome == LoggerResult::Outcome::Stopped || !prompt)
        return;
    cutDownload(result.download, *prompt, EventLogNames::kInterrogate, kept);
}

bool NeruModel::keepDownload(const QByteArray &download, KeptDownloads::Extent extent,
                             QString &kept)
{
    const bool partial = extent == KeptDownloads::Extent::Partial;
    const KeptDownloads::Kept done = m_kept.keep(download, QDateTime::currentDateTime(), extent);
    if (done.failure.isEmpty()) {
        const QString text = (partial ? QStringLiteral("Partial download kept in ")
                                      : QStringLiteral("Download kept in "))
            + done.path;
        m_errorReport.logInformation(text);
        emit statusMessage(text);
        kept = done.path;
        return true;
    }
    const QString text
        = QStringLiteral("The download could not be kept in %1: %2").arg(done.path, done.failure);
    m_errorReport.logInformation(text);
    m_prompts.message(partial ? text
                              : text + QStringLiteral("\nIts districts can still be saved now."),
                      ApplicationName::title());
    return false;
}

bool NeruModel::saveHeaderTexts(const QString &title, const QString &comments1,
                                const QString &comments2)
{
    if (m_district.image().path().isEmpty()) {
        m_prompts.message(QStringLiteral("This district was not saved in a file, so its texts "
                                         "cannot be saved."),
                          ApplicationName::title());
        return false;
    }
    for (const QString &text : { title, comments1, comments2 }) {
        const QString refusal = DistrictImage::textRefusal(text);
        if (!refusal.isEmpty()) {
            m_prompts.message(refusal, ApplicationName::title());
            return false;
        }
    }
    DistrictImage::HeaderTexts texts = m_district.image().headerTexts();
    texts.title = title;
    texts.comments1 = comments1;
    texts.comments2 = comments2;
    try {
        m_district.image().saveHeaderTexts(texts);
    } catch (const RuntimeError &e) {
        m_prompts.message(e.description(), ApplicationName::title());
        return false;
    }
    return true;
}

void NeruModel::setUnitCode(qint16 code)
{
    m_unit = DisplayUnits::fromCode(code);
    emit unitChanged(m_unit);
    emit unitsChanged(Units::changeTo(m_unit, m_strings));
}

void NeruModel::setLoggerPort(qint16 port)
{
    m_startUp.loggerPort = port;
    if (m_link)
        m_link->session().setPort(port);
    emit loggerPortChanged(port);
    if (!StartUpSettings::isLoggerPort(port))
        return;
    SettingsStore store;
    store.write(StartUpSettings::section(), StartUpSettings::portKey(), QString::number(port));
    if (!store.sync())
        m_errorReport.logInformation(QStringLiteral("The COM port could not be saved in ")
                                     + store.fileName());
}

void NeruModel::setPortDevice(qint16 port, const QString &device)
{
    if (!StartUpSettings::isLoggerPort(port) || device.isEmpty())
        return;
    // The link reads [Ports] afresh before every exchange, so the next one opens the new
    // device; written through the link's own store, that read cannot miss the write.
    SettingsStore ownStore;
    SettingsStore &store = m_portSettings ? *m_portSettings : ownStore;
    store.write(PortDevices::settingsSection(), PortDevices::settingsKey(port), device);
    if (!store.sync())
        m_prompts.message(QStringLiteral("The device of COM%1 could not be saved in %2")
                              .arg(port)
                              .arg(store.fileName()),
                          ApplicationName::title());
    setLoggerPort(port);
}

void NeruModel::setNightWindow(const NightWindow &window)
{
    if (!window.isValid() || window == m_nightWindow)
        return;
    m_nightWindow = window;
    SettingsStore store;
    store.write(kAnalysisSection, kNightStartKey, NightWindow::minuteText(window.startMinute));
    store.write(kAnalysisSection, kNightEndKey, NightWindow::minuteText(window.endMinute));
    if (!store.sync())
        m_errorReport.logInformation(QStringLiteral("The night window could not be saved in ")
                                     + store.fileName());
    emit nightWindowChanged(window);
}

void NeruModel::setNightShading(bool on)
{
    if (on == m_nightShading)
        return;
    m_nightShading = on;
    storeViewCheck(kNightShadingKey, on, QStringLiteral("night shading"));
    emit nightShadingChanged(on);
}

void NeruModel::setGrid(bool on)
{
    if (on == m_grid)
        return;
    m_grid = on;
    storeViewCheck(kGridKey, on, QStringLiteral("grid"));
    emit gridChanged(on);
}

void NeruModel::setFitValues(bool on)
{
    if (on == m_fitValues)
        return;
    m_fitValues = on;
    storeViewCheck(kFitValuesKey, on, QStringLiteral("Fit Values choice"));
    emit fitValuesChanged(on);
}

void NeruModel::storeViewCheck(const QString &key, bool on, const QString &what)
{
    SettingsStore store;
    store.write(kViewSection, key, on ? QStringLiteral("1") : QStringLiteral("0"));
    if (!store.sync())
        m_errorReport.logInformation(QStringLiteral("The ") + what
                                     + QStringLiteral(" could not be saved in ")
                                     + store.fileName());
}

QStringList NeruModel::recentFiles()
{
    if (m_recent.dropMissing())
        storeRecentFiles();
    return m_recent.files();
}

void NeruModel::clearRecentFiles()
{
    m_recent.clear();
    storeRecentFiles();
}

void NeruModel::rememberFiles(const QStringList &paths)
{
    bool changed = false;
    for (const QString &path : paths)
        changed |= m_recent.add(path);
    if (changed)
        storeRecentFiles();
}

void NeruModel::storeRecentFiles()
{
    SettingsStore store;
    if (!m_recent.write(store))
        m_errorReport.logInformation(QStringLiteral("The recent files could not be saved in ")
                                     + store.fileName());
}

void NeruModel::writeSettings()
{
    SettingsStore store;
    if (!m_windowGeometry.isEmpty())
        store.write(kWindowSection, kGeometryKey, QString::fromLatin1(m_windowGeometry.toBase64()));
    if (!m_startUp.writeSettings(store))
        m_errorReport.logInformation(QStringLiteral("The settings could not be saved in ")
                                     + store.fileName());
}

void NeruModel::attachLink()
{
    m_portSettings = std::make_unique<SettingsStore>();
    m_link = std::make_unique<LoggerLink>(
        LoggerLink::Context { m_errorReport, m_strings, m_formats, m_portSettings.get() });
    LoggerSession &session = m_link->session();
    session.setPort(m_startUp.loggerPort);
    connect(&session, &LoggerSession::notice, this, &NeruModel::tell);
    connect(&session, &LoggerSession::finished, this, &NeruModel::linkFinished);
}
