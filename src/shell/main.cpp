#include "shell/General.h"
#include "shell/Program.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("neru"));
    QApplication::setApplicationDisplayName(QStringLiteral("NERU"));
    QApplication::setApplicationVersion(QStringLiteral(NERU_VERSION));
    QApplication::setWindowIcon(QIcon(General::loadBitmap(100)));
    // The program ends when its main window closes, not when its last window hides.
    app.setQuitOnLastWindowClosed(false);

    Program program(nullptr, [] { QCoreApplication::quit(); });
    program.start(QDir::currentPath());
    return app.exec();
}
