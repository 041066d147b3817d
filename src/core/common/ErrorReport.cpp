#include "ErrorReport.h"

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
        folder = QDir::homePath() + QStringLiteral("/.local/share/neru");
    return folder + QStringLiteral("/events.log");
}

QString ErrorReport::message(const QString &description, const QString &procedure,
                             const QString &module)
{
    return description + QStringLiteral(" in ") + procedure + u'(' + module + u')'
        + QStringLiteral("\r\n");
}

void ErrorReport::errorReport(const QString &module, const QString &procedure) noexcept
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
    report(description, module, procedure);
}

void ErrorReport::report(const QString &description, const QString &module,
                         const QString &procedure) noexcept
{
    logInformation(message(description, procedure, module));
}

void ErrorReport::logInformation(const QString &text) noexcept
{
    try {
        QDir().mkpath(QFileInfo(m_logPath).absolutePath());
        QFile file(m_logPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        QString entry = QDateTime::currentDateTime().toString(Qt::ISODate)
            + QStringLiteral(" Information ") + text;
        if (!entry.endsWith(u'\n'))
            entry += QStringLiteral("\r\n");
        file.write(entry.toUtf8());
    } catch (...) {
        // The log is the last resort; nothing is reported about it.
    }
}
