#include "ErrorReport.h"

#include "ApplicationName.h"
#include "RuntimeError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <exception>

ErrorReport::ErrorReport(QString logPath)
    : m_logPath(logPath.isEmpty() ? defaultLogPath() : std::move(logPath))
{ }

QString ErrorReport::defaultLogPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty())
        folder
            = QDir::homePath() + QStringLiteral("/.local/share/") + ApplicationName::systemName();
    return folder + QStringLiteral("/events.log");
}

QString ErrorReport::message(const QString &description, const QString &procedure,
                             const QString &module, const QString &where)
{
    QString text = description + QStringLiteral(" in ") + procedure + u'(' + module + u')';
    if (!where.isEmpty())
        text += QStringLiteral(" (") + where + u')';
    return text + QStringLiteral("\r\n");
}

QString ErrorReport::currentDescription() noexcept
{
    QString description = QStringLiteral("Unknown error");
    try {
        if (const std::exception_ptr current = std::current_exception())
            std::rethrow_exception(current);
    } catch (const RuntimeError &e) {
        description = e.description();
    } catch (const std::bad_alloc &) {
        description = QStringLiteral("Out of memory");
    } catch (const std::exception &e) {
        description = QString::fromLocal8Bit(e.what());
    } catch (...) { }
    return description;
}

void ErrorReport::errorReport(const QString &module, const QString &procedure) noexcept
{
    report(currentDescription(), module, procedure);
}

void ErrorReport::report(const QString &description, const QString &module,
                         const QString &procedure, const QString &where) noexcept
{
    try {
        logInformation(message(description, procedure, module, where));
    } catch (...) {
        // Building the text ran out of memory: the log is the last resort.
    }
}

void ErrorReport::logInformation(const QString &text) noexcept
{
    try {
        QString entry = QDateTime::currentDateTime().toString(Qt::ISODate)
            + QStringLiteral(" Information ") + text;
        if (!entry.endsWith(u'\n'))
            entry += QStringLiteral("\r\n");
        const QByteArray bytes = entry.toUtf8();
        QDir().mkpath(QFileInfo(m_logPath).absolutePath());
        rollOverBefore(bytes.size());
        QFile file(m_logPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        file.write(bytes);
    } catch (...) {
        // The log is the last resort; nothing is reported about it.
    }
}

void ErrorReport::rollOverBefore(qint64 entryBytes) const
{
    const qint64 size = QFileInfo(m_logPath).size();
    if (size == 0 || size + entryBytes <= kMaxLogBytes)
        return;
    // Should the rename fail, the log is started afresh rather than left to grow.
    QFile::remove(oldLogPath());
    if (!QFile::rename(m_logPath, oldLogPath()))
        QFile::remove(m_logPath);
}
