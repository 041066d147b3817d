#pragma once

// What every fuzz target shares: a quiet, deterministic process (C locale, UTC, no Qt
// messages, configuration and data folders of its own) and a work folder that is emptied
// before each input, so no run sees the files of the one before.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace FuzzSupport {

inline void ignoreMessage(QtMsgType, const QMessageLogContext &, const QString &)
{ }

// Where the temporary folder goes: NERU_FUZZ_TMPDIR (scripts/fuzz sets it and removes it
// afterwards, as a crashed run leaves its folder behind), else in memory when the system
// offers it, because the program syncs every file it saves, which on a disk would make
// each input take milliseconds.
inline QString temporaryRoot()
{
    const QString chosen = qEnvironmentVariable("NERU_FUZZ_TMPDIR");
    if (!chosen.isEmpty())
        return chosen;
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

// The process's temporary folder, removed when the process ends normally.
inline QTemporaryDir &processFolder()
{
    static QTemporaryDir folder(temporaryRoot() + QStringLiteral("/neru-fuzz-XXXXXX"));
    if (!folder.isValid())
        std::abort(); // without a folder no input could be tried
    return folder;
}

// Call from LLVMFuzzerInitialize, before anything of Qt reads the environment.
inline void initialise()
{
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qputenv("TZ", "UTC");
    qInstallMessageHandler(ignoreMessage);
    const QString root = processFolder().path();
    QDir().mkpath(root + QStringLiteral("/config"));
    QDir().mkpath(root + QStringLiteral("/data"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/data")));
}

// The folder one input works in: empty when returned.
inline QString freshWorkFolder()
{
    const QString work = processFolder().path() + QStringLiteral("/work");
    QDir(work).removeRecursively();
    QDir().mkpath(work);
    return work + u'/';
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// Puts the input in a file for the program to read, plainly: how the file came to be
// is not under test.
inline void writeInput(const QString &path, const uint8_t *data, size_t size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size))
            != static_cast<qint64>(size))
        std::abort(); // the input cannot be tried at all
}

} // namespace FuzzSupport
