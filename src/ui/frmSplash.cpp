#include "frmSplash.h"
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

frmSplash::frmSplash(const StringTable &strings, const General &general, StartUpSettings &startUp,
                     UserPrompts &prompts, QWidget *parent)
    : QDialog(parent, Qt::SplashScreen)
    , m_strings(strings)
    , m_general(general)
    , m_startUp(startUp)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmSplash"));

    fraMainFrame = new QFrame(this);
    fraMainFrame->setObjectName(QStringLiteral("fraMainFrame"));
    fraMainFrame->setFrameShape(QFrame::Box);

    tmrSplash = new QTimer(this);
    tmrSplash->setObjectName(QStringLiteral("tmrSplash"));
    tmrSplash->setInterval(kSplashMilliseconds);
    tmrSplash->setSingleShot(true);
    connect(tmrSplash, &QTimer::timeout, this, &frmSplash::tmrSplash_Timer);

    picLogo = new PictureBox(fraMainFrame);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    picLogo->setFixedSize(120, 137);
    General::setTag(*picLogo, 100);

    lblProductName = addLabel(fraMainFrame, "lblProductName", 0);
    QFont title(QStringLiteral("Arial"));
    title.setPointSize(32);
    title.setBold(true);
    lblProductName->setFont(title);
    lblCompanyProduct = addLabel(fraMainFrame, "lblCompanyProduct", 10010);
    QFont company = lblCompanyProduct->font();
    company.setPointSizeF(company.pointSizeF() * 1.4);
    lblCompanyProduct->setFont(company);
    lblVersion = addLabel(fraMainFrame, "lblVersion", 0);
    lblWarning = addLabel(fraMainFrame, "lblWarning", 10050);
    lblWarning->setWordWrap(true);
    lblCompany = addLabel(fraMainFrame, "lblCompany", 10040);
    lblCopyright = addLabel(fraMainFrame, "lblCopyright", 10030);
    lblCopyright->setWordWrap(true);

    auto *grid = new QGridLayout(fraMainFrame);
    grid->setContentsMargins(18, 18, 18, 18);
    grid->setHorizontalSpacing(24);
    grid->addWidget(picLogo, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(lblCompanyProduct, 0, 1);
    grid->addWidget(lblProductName, 1, 1);
    grid->addWidget(lblVersion, 2, 1, Qt::AlignRight | Qt::AlignTop);
    grid->setRowStretch(3, 1);
    grid->addWidget(lblWarning, 4, 0, 1, 2);
    grid->addWidget(lblCompany, 5, 0, 1, 2);
    grid->addWidget(lblCopyright, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(fraMainFrame);
    setFixedWidth(480);
}

QString frmSplash::versionCaption(const QString &version)
{
    QStringList numbers;
    for (const QString &part : version.split(u'.')) {
        bool ok = false;
        const qulonglong number = part.trimmed().toULongLong(&ok);
        numbers.append(ok ? QString::number(number) : part.trimmed());
    }
    return QStringLiteral("Version ") + numbers.join(u'.');
}

void frmSplash::Form_Load()
{
    m_general.localiseForm(*this);
    lblVersion->setText(versionCaption(programVersion()));
    lblProductName->setText(ApplicationName::title());
}

void frmSplash::readSettings(const QString &currentDir)
{
    const SettingsStore store;
    m_startUp.readSettings(store, currentDir);
}

void frmSplash::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // After the window has appeared, so that the message shows over it.
    QMetaObject::invokeMethod(this, &frmSplash::Form_Activate, Qt::QueuedConnection);
}

void frmSplash::Form_Activate()
{
    if (!isVisible())
        return;
    if (!m_blnActivated) {
        m_blnActivated = true;
        m_prompts.message(m_strings.text(50000) + QString::number(m_startUp.intCOMPort)
                              + m_strings.text(50010),
                          m_strings.text(50020));
    }
    // The splash stays 2 seconds after the message has been closed.
    tmrSplash->start();
}

void frmSplash::tmrSplash_Timer()
{
    tmrSplash->stop();
    if (showMainWindow)
        showMainWindow();
    hide();
}

void frmSplash::showAbout()
{
    Form_Load();
    show();
    raise();
    activateWindow();
    // Already shown: no new show event, so the timer starts again here.
    if (m_blnActivated)
        tmrSplash->start();
}
