#pragma once

#include <QByteArray>
#include <QCommandLineOption>
#include <QString>
#include <QStringList>

#include "NightWindow.h"

#include <functional>
#include <map>

class ErrorReport;
class District;
class NamedFormats;
class QCommandLineParser;
class QIODevice;
class StringTable;

// The batch tool: the program's data commands for scripts and machines without a
// display, on the same code as the windows. Each command returns the process exit code:
// 0 done, 1 failed (one line on the error stream names the file and the reason),
// 2 usage error.
class BatchTool
{
public:
    enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

    struct Context
    {
        QIODevice &out;
        QIODevice &err;
        ErrorReport &errorReport;
        const NamedFormats &formats;
        const StringTable &strings;
    };

    using Command = std::function<int(const QStringList &arguments)>;

    explicit BatchTool(Context context);

    // Adds a command; `arguments` handed to it start with the command's name.
    void addCommand(const QString &name, const QString &summary, Command command);

    // Runs a whole command line (arguments[0] is the program).
    int run(const QStringList &arguments);

    int info(const QStringList &arguments);
    int exportCsv(const QStringList &arguments);
    int split(const QStringList &arguments);
    int edit(const QStringList &arguments);

    // Cuts a download read from `source` into dir/<district number>.dat; prints each path
    // written. A number met twice gets <number>-2.dat; only files from before the run need
    // `force`. Every error line names `source`.
    int splitDownload(const QByteArray &download, const QString &source, const QString &dir,
                      bool force);

    // Opens and decodes a district file as File > Open does; a warning line on the error
    // stream for each record that did not decode. False after a line on the error stream:
    // the file was refused, or under `strict` a record did not decode.
    bool openDistrictFile(const QString &path, District &district, bool strict);

    // Parses a command that takes one file named `fileName` in its help: on --help prints
    // the help, on a usage error says what is wrong; either way sets `exitCode` and returns
    // false.
    bool parseWithFile(QCommandLineParser &parser, const QStringList &arguments,
                       const QString &fileName, QString &path, int &exitCode);

    // --strict, --unit U and -o PATH of the commands that read a district file.
    static QCommandLineOption strictOption();
    static QCommandLineOption unitOption();
    static QCommandLineOption outputOption();

    // The unit code --unit names (0 when not given); false after a usage error line when
    // there is no such unit. `command` names the command in the line.
    bool chosenUnit(const QString &command, const QCommandLineParser &parser, int &unitCode);
    // The night window --night names (02:00-04:00 when not given); false after a usage
    // error line when it is not HH:MM-HH:MM with the start before the end.
    bool chosenNight(const QString &command, const QCommandLineParser &parser, NightWindow &window);
    // Shows the file opened at `path` in the unit `unitCode` chosen (above 0): false after a
    // usage error line when it is a unit of the other quantity.
    bool applyUnit(const QString &command, const QString &path, const QString &unitName,
                   int unitCode, qint16 &unit);

    // The --dir and --force options of the commands that write district files.
    struct FolderOptions
    {
        QCommandLineOption dir;
        QCommandLineOption force;
    };
    static FolderOptions addFolderOptions(QCommandLineParser &parser, const QString &dirHelp);

    // The folder named by --dir (the current folder when empty) with a "/" at its end; a
    // missing one is made, with the folders above it. False after a line on the error
    // stream when it is not a folder or cannot be made.
    bool districtFolder(const QString &dir, QString &folder);

    // Writes a whole file; false after a line on the error stream naming it and the reason.
    bool writeWholeFile(const QString &path, const QByteArray &bytes);
    // Writes `bytes` to the file `output`, or to the output stream when it is empty, "-" or
    // "/dev/stdout".
    bool writeOutput(const QString &output, const QByteArray &bytes);

    // A line on the output or error stream; a file name's bytes that are not UTF-8 are
    // shown as \xNN.
    void printLine(const QString &line);
    void printError(const QString &line);

private:
    struct Entry
    {
        QString summary;
        Command command;
    };

    QString usage() const;

    Context m_context;
    std::map<QString, Entry> m_commands;
};
