#pragma once

#include <QString>

// The common error report: procedures that guard themselves hand their unexpected
// run-time errors here from their catch block. Each becomes one information entry in
// the application event log, a plain file "events.log" in the per-user data folder.
// The user sees nothing, and a failure to write the log is swallowed.
class ErrorReport
{
public:
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

private:
    QString m_logPath;
};
