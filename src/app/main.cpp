#include "General.h"
#include "Program.h"
#include "ProgramVersion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("neru"));
    QApplication::setApplicationDisplayName(QStringLiteral("NERU"));
    QApplication::setApplicationVersion(programVersion());
    QApplication::setWindowIcon(QIcon(General::loadBitmap(100)));
    // The program ends when its main window closes, not when its last window hides.
    app.setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A download file (.dat) to open at start."),
                                 QStringLiteral("[file]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    // Opening follows File > Open, which only logs a failure; a mistyped path on the
    // command line is worth a word to whoever typed it.
    if (!files.isEmpty() && !QFileInfo(files.first()).isFile())
        std::fprintf(stderr, "neru: %s: no such file\n", qPrintable(files.first()));

    Program program(nullptr, [] { QCoreApplication::quit(); });
    program.start(QDir::currentPath(), files.isEmpty() ? QString() : files.first());
    return app.exec();
}
