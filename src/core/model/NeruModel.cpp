#include "NeruModel.h"

#include "DistrictFile.h"
#include "ErrorReport.h"
#include "RuntimeError.h"
#include "SettingsStore.h"
#include "StringTable.h"
#include "TableRows.h"
#include "UserPrompts.h"
#include "WholeFile.h"

#include <QFileInfo>

NeruModel::NeruModel(const StringTable &strings, ErrorReport &errorReport, UserPrompts &prompts,
                     QObject *parent)
    : QObject(parent)
    , m_strings(strings)
    , m_errorReport(errorReport)
    , m_prompts(prompts)
    , m_file(errorReport)
{
    m_texts.load(m_strings);
}

void NeruModel::resetForNewWindow()
{
    m_file.setDataFile(QString());
    SetUnits(0);
    m_units.dblFlowScaleFactor = 1.0;
}

void NeruModel::mnuFileOpen_Click()
{
    const QString path
        = m_prompts.openFileName(m_startUp.strDefaultDir, QStringLiteral("Download Files(*.dat)"));
    if (!path.isEmpty())
        openDataFile(path);
}

void NeruModel::openDataFile(const QString &path)
{
    try {
        if (!readDistrictFile(path))
            return;
        emit districtChanged();
        // Loading data always shows it in l/s or bar.
        SetUnits(m_units.intUnits);
    } catch (...) {
        m_errorReport.errorReport(QStringLiteral("frmNeru"), QStringLiteral("mnuFileOpen_Click"));
    }
}

bool NeruModel::readDistrictFile(const QString &path)
{
    const QFileInfo chosen(path);
    m_startUp.strDefaultDir = chosen.absolutePath() + u'/';
    // A refused file leaves the district on show whole: its header, readings and file.
    const DistrictFile::Result opened
        = DistrictFile::open(chosen.absoluteFilePath(), m_file, m_units.intUnits, m_strings);
    switch (opened.failure) {
    case DistrictFile::Failure::None:
        return true;
    case DistrictFile::Failure::NotVersion4:
        m_prompts.message(m_strings.text(40250), UserPrompts::appTitle());
        break;
    case DistrictFile::Failure::HeaderCutShort:
        m_prompts.message(opened.message, UserPrompts::appTitle());
        break;
    case DistrictFile::Failure::Unreadable:
        m_errorReport.report(opened.message, QStringLiteral("frmNeru"),
                             QStringLiteral("mnuFileOpen_Click"));
        // A chosen file that silently does nothing would look like success.
        m_prompts.message(opened.message, UserPrompts::appTitle());
        break;
    }
    return false;
}

void NeruModel::mnuFileExport_Click()
{
    const QString path = m_startUp.strDefaultDir + QStringLiteral("neru.csv");
    const QByteArray bytes = TableRows(m_formats).csvBytes(
        m_file.series(), m_file.settings().dblReference, m_units.dblFlowScaleFactor);
    QString reason;
    if (!WholeFile::write(path, bytes, reason)) {
        m_prompts.message(path + QStringLiteral(": ") + reason, UserPrompts::appTitle());
        return;
    }
    m_prompts.message(m_strings.text(40260) + m_startUp.strDefaultDir, UserPrompts::appTitle());
}

void NeruModel::saveDownload(const QByteArray &bytDownload, qint32 lngDownloadLength,
                             SaveDistrictPrompt &prompt)
{
    // A download without a district record leaves the district on show as it was (and a
    // first run has no header to show the statistics of).
    if (FileProcessing::districtPositions(bytDownload, lngDownloadLength).isEmpty())
        return;
    m_file.saveDistricts(bytDownload, lngDownloadLength, m_startUp.strDefaultDir, prompt);
    m_file.processRecords(m_units.intUnits);
    emit districtChanged();
    SetUnits(m_units.intUnits);
}

bool NeruModel::saveHeaderTexts(const QString &title, const QString &comments1,
                                const QString &comments2)
{
    if (m_file.strDataFile().isEmpty()) {
        m_prompts.message(QStringLiteral("This district was not saved in a file, so its texts "
                                         "cannot be saved."),
                          UserPrompts::appTitle());
        return false;
    }
    FileProcessing::HeaderTexts texts = m_file.headerTexts();
    texts.title = title;
    texts.comments1 = comments1;
    texts.comments2 = comments2;
    try {
        m_file.saveHeaderTexts(texts);
    } catch (const RuntimeError &e) {
        m_prompts.message(e.description(), UserPrompts::appTitle());
        return false;
    }
    return true;
}

void NeruModel::SetUnits(qint16 code)
{
    m_units.intUnits = code;
    emit unitsChanged(m_units.SetUnits(code, m_texts));
}

void NeruModel::setCOMPort(qint16 port)
{
    m_startUp.intCOMPort = port;
    if (m_link)
        m_link->comm().intCOMPort = port;
    emit comPortChanged(port);
}

void NeruModel::writeSettings()
{
    SettingsStore store(m_startUp.strAppName);
    if (!m_startUp.writeSettings(store))
        m_errorReport.logInformation(QStringLiteral("The settings could not be saved in ")
                                     + store.fileName());
}

void NeruModel::attachLink(LinkMessages &messages, DownloadProgress &progress)
{
    m_portSettings = std::make_unique<SettingsStore>(m_startUp.strAppName);
    m_link = std::make_unique<LoggerLink>(LoggerLink::Context {
        messages, progress, m_errorReport, m_strings, m_formats, m_portSettings.get() });
    m_link->comm().intCOMPort = m_startUp.intCOMPort;
}
