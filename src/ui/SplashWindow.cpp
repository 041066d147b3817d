#include "SplashWindow.h"
#include "ProgramVersion.h"

#include "ApplicationName.h"
#include "General.h"
#include "PictureBox.h"
#include "SettingsStore.h"
#include "StartUpSettings.h"
#include "StringTable.h"
#include "UserPrompts.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *addLabel(QWidget *parent, const char *name, int tag)
{
    auto *label = General::addControl<QLabel>(parent, name, tag);
    label->setText(QLatin1String(name)); // replaced by the localisation
    return label;
}

} // namespace

SplashWindow::SplashWindow(const StringTable &strings, const General &general,
                           StartUpSettings &startUp, UserPrompts &prompts, QWidget *parent)
    : QDialog(parent, Qt::SplashScreen)
    , m_strings(strings)
    , m_general(general)
    , m_startUp(startUp)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmSplash"));

    mainFrame = new QFrame(this);
    mainFrame->setObjectName(QStringLiteral("fraMainFrame"));
    mainFrame->setFrameShape(QFrame::Box);

    handOverTimer = new QTimer(this);
    handOverTimer->setObjectName(QStringLiteral("tmrSplash"));
    handOverTimer->setInterval(kSplashMilliseconds);
    handOverTimer->setSingleShot(true);
    connect(handOverTimer, &QTimer::timeout, this, &SplashWindow::handOver);

    logo = new PictureBox(mainFrame);
    logo->setObjectName(QStringLiteral("picLogo"));
    logo->setFixedSize(120, 137);
    General::setTag(*logo, 100);

    productNameLabel = addLabel(mainFrame, "lblProductName", 0);
    QFont title(QStringLiteral("Arial"));
    title.setPointSize(32);
    title.setBold(true);
    productNameLabel->setFont(title);
    companyProductLabel = addLabel(mainFrame, "lblCompanyProduct", 10010);
    QFont company = companyProductLabel->font();
    company.setPointSizeF(company.pointSizeF() * 1.4);
    companyProductLabel->setFont(company);
    versionLabel = addLabel(mainFrame, "lblVersion", 0);
    warningLabel = addLabel(mainFrame, "lblWarning", 10050);
    warningLabel->setWordWrap(true);
    companyLabel = addLabel(mainFrame, "lblCompany", 10040);
    copyrightLabel = addLabel(mainFrame, "lblCopyright", 10030);
    copyrightLabel->setWordWrap(true);

    auto *grid = new QGridLayout(mainFrame);
    grid->setContentsMargins(18, 18, 18, 18);
    grid->setHorizontalSpacing(24);
    grid->addWidget(logo, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(companyProductLabel, 0, 1);
    grid->addWidget(productNameLabel, 1, 1);
    grid->addWidget(versionLabel, 2, 1, Qt::AlignRight | Qt::AlignTop);
    grid->setRowStretch(3, 1);
    grid->addWidget(warningLabel, 4, 0, 1, 2);
    grid->addWidget(companyLabel, 5, 0, 1, 2);
    grid->addWidget(copyrightLabel, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(mainFrame);
    setFixedWidth(480);
}

QString SplashWindow::versionCaption(const QString &version)
{
    QStringList numbers;
    for (const QString &part : version.split(u'.')) {
        bool ok = false;
        const qulonglong number = part.trimmed().toULongLong(&ok);
        numbers.append(ok ? QString::number(number) : part.trimmed());
    }
    return QStringLiteral("Version ") + numbers.join(u'.');
}

void SplashWindow::buildContents()
{
    m_general.localiseForm(*this);
    versionLabel->setText(versionCaption(programVersion()));
    productNameLabel->setText(ApplicationName::title());
}

void SplashWindow::readSettings(const QString &currentDir)
{
    const SettingsStore store;
    m_startUp.readSettings(store, currentDir);
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // After the window has appeared, so that the message shows over it.
    QMetaObject::invokeMethod(this, &SplashWindow::prepareToShow, Qt::QueuedConnection);
}

void SplashWindow::prepareToShow()
{
    if (!isVisible())
        return;
    if (!m_wasActivated) {
        m_wasActivated = true;
        m_prompts.message(m_strings.text(50000) + QString::number(m_startUp.loggerPort)
                              + m_strings.text(50010),
                          m_strings.text(50020));
    }
    // The splash stays 2 seconds after the message has been closed.
    handOverTimer->start();
}

void SplashWindow::handOver()
{
    handOverTimer->stop();
    if (showMainWindow)
        showMainWindow();
    hide();
}

void SplashWindow::showAbout()
{
    buildContents();
    show();
    raise();
    activateWindow();
    // Already shown: no new show event, so the timer starts again here.
    if (m_wasActivated)
        handOverTimer->start();
}
