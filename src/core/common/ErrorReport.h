#pragma once

#include <QString>

// The common error report: procedures that guard themselves hand their unexpected
// run-time errors here from their catch block. Each becomes one information entry in
// the application event log, a plain file "events.log" in the per-user data folder.
// The user sees nothing, and a failure to write the log is swallowed. The log is kept
// to about 1 MiB: an entry that would take it past that moves the log to "events.log.1"
// (replacing the older one) and starts a new one, so a long run of errors cannot fill
// the disk.
class ErrorReport
{
public:
    static constexpr qint64 kMaxLogBytes = 1024 * 1024;

    // Logs to `logPath`; an empty path means the per-user data folder's "events.log".
    explicit ErrorReport(QString logPath = QString());

    static QString defaultLogPath();

    // "<description> in <procedure>(<module>)" and CR LF; a `where` (such as the file and
    // byte the procedure was reading) follows in brackets: "... in p(m) (where)".
    static QString message(const QString &description, const QString &procedure,
                           const QString &module, const QString &where = QString());

    // The description of the exception being handled; call it only from a catch block.
    static QString currentDescription() noexcept;

    // Reports the exception being handled; call it only from a catch block.
    void errorReport(const QString &module, const QString &procedure) noexcept;

    // Reports an error whose description is known.
    void report(const QString &description, const QString &module, const QString &procedure,
                const QString &where = QString()) noexcept;

    // Writes one information entry with an arbitrary text (the OS reason of a failed
    // exchange, for instance).
    void logInformation(const QString &text) noexcept;

    QString logPath() const { return m_logPath; }
    QString oldLogPath() const { return m_logPath + QStringLiteral(".1"); }

private:
    void rollOverBefore(qint64 entryBytes) const;

    QString m_logPath;
};
