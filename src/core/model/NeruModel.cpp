#include "NeruModel.h"

#include "DistrictFile.h"
#include "ErrorReport.h"
#include "SettingsStore.h"
#include "StringTable.h"
#include "UserPrompts.h"

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
        m_prompts.message(m_strings.text(40250), QStringLiteral("Neru"));
        break;
    case DistrictFile::Failure::HeaderCutShort:
        m_prompts.message(opened.message, QStringLiteral("Neru"));
        break;
    case DistrictFile::Failure::Unreadable:
        m_errorReport.report(opened.message, QStringLiteral("frmNeru"),
                             QStringLiteral("mnuFileOpen_Click"));
        break;
    }
    return false;
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
