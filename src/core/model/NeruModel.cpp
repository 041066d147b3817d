#include "NeruModel.h"

#include "Checked.h"
#include "ErrorReport.h"
#include "SettingsStore.h"
#include "StringTable.h"
#include "UserPrompts.h"

#include <QFileInfo>

namespace {

// The first byte of a file written by version 4 or later of the logger's software.
constexpr quint8 kVersion4 = 0x34;

} // namespace

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
    const QString absolute = chosen.absoluteFilePath();
    m_startUp.strDefaultDir = chosen.absolutePath() + u'/';
    m_file.readImageFile(absolute);
    // Named only once read: a file that cannot be read must not become the target of a
    // later save of the image still in memory.
    m_file.setDataFile(absolute);
    if (m_file.lngImageLength() < 1)
        return false;
    if (Checked::byteAt(m_file.RawImage(), 0) != kVersion4) {
        // The image now holds the rejected file; the series stays as it was.
        m_prompts.message(m_strings.text(40250), QStringLiteral("Neru"));
        return false;
    }
    m_file.processRecords(m_units.intUnits);
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
    emit comPortChanged(port);
}

void NeruModel::writeSettings()
{
    SettingsStore store(m_startUp.strAppName);
    if (!m_startUp.writeSettings(store))
        m_errorReport.logInformation(QStringLiteral("The settings could not be saved in ")
                                     + store.fileName());
}
