#include "ApplicationName.h"
#include "General.h"
#include "Program.h"
#include "ProgramVersion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationName::systemName());
    // No display name: the platform would add it to every window title.
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

    Program program(nullptr, [] { QCoreApplication::quit(); });
    program.start(QDir::currentPath(), files.isEmpty() ? QString() : files.first());
    return app.exec();
}
