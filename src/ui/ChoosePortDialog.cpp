#include "ChoosePortDialog.h"

#include "PortDevices.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kWidestList = 1100; // pixels; wider names scroll

} // namespace

ChoosePortDialog::ChoosePortDialog(Lister lister, qint16 portInUse, QWidget *parent)
    : QDialog(parent)
    , m_lister(std::move(lister))
{
    setObjectName(QStringLiteral("ChoosePortDialog"));
    setWindowTitle(QStringLiteral("Choose Port"));

    portList = new QTreeWidget(this);
    portList->setHeaderLabels({ QStringLiteral("Device"), QStringLiteral("Description"),
                                QStringLiteral("Manufacturer"), QStringLiteral("Serial number"),
                                QStringLiteral("Stable name") });
    portList->setRootIsDecorated(false);
    portList->setUniformRowHeights(true);
    portList->header()->setStretchLastSection(false);
    noPortText = new QLabel(
        QStringLiteral("No serial port was found on this computer.\n"
                       "A USB serial adapter shows up once it is plugged in; to open it you "
                       "must be in the dialout group (sudo usermod -aG dialout $USER, then "
                       "log out and in)."),
        this);
    noPortText->setWordWrap(true);
    noPortText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    refreshButton = new QPushButton(QStringLiteral("&Refresh"), this);
    refreshButton->setAutoDefault(false);
    portBox = new QComboBox(this);
    for (qint16 port = PortDevices::kFirstPort; port <= PortDevices::kLastPort; ++port)
        portBox->addItem(PortDevices::settingsKey(port), port);
    const bool inUse = portInUse >= PortDevices::kFirstPort && portInUse <= PortDevices::kLastPort;
    portBox->setCurrentIndex(inUse ? portInUse - PortDevices::kFirstPort : 0);
    auto *portCaption = new QLabel(QStringLiteral("&Use as:"), this);
    portCaption->setBuddy(portBox);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto *choice = new QHBoxLayout;
    choice->addWidget(refreshButton);
    choice->addStretch(1);
    choice->addWidget(portCaption);
    choice->addWidget(portBox);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(portList, 1);
    layout->addWidget(noPortText, 1);
    layout->addLayout(choice);
    layout->addWidget(buttons);
    resize(640, 300);

    connect(refreshButton, &QPushButton::clicked, this, &ChoosePortDialog::refresh);
    connect(portList, &QTreeWidget::itemSelectionChanged, this, &ChoosePortDialog::updateOk);
    connect(portList, &QTreeWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    refresh();
}

void ChoosePortDialog::refresh()
{
    const QString chosen = chosenDevice();
    portList->clear();
    const QList<DetectedPorts::Port> ports = m_lister ? m_lister() : QList<DetectedPorts::Port>();
    for (const DetectedPorts::Port &port : ports) {
        auto *row = new QTreeWidgetItem(portList,
                                        { port.device, port.description, port.manufacturer,
                                          port.serialNumber, port.stableName });
        row->setData(0, Qt::UserRole, port.storedName());
        if (port.storedName() == chosen)
            row->setSelected(true);
    }
    // Wide enough for the whole of every name: a stable name is long and ends in what
    // tells two adapters apart.
    for (int column = 0; column < portList->columnCount(); ++column)
        portList->resizeColumnToContents(column);
    // Never wider than the screen leaves room for, so that OK and Cancel stay in reach.
    const int roomOnScreen = screen() ? screen()->availableGeometry().width() * 3 / 4 : kWidestList;
    portList->setMinimumWidth(std::min(
        { portList->header()->length() + 2 * portList->frameWidth(), kWidestList, roomOnScreen }));
    portList->setHidden(ports.isEmpty());
    noPortText->setHidden(!ports.isEmpty());
    updateOk();
}

qint16 ChoosePortDialog::chosenPort() const
{
    return static_cast<qint16>(portBox->currentData().toInt());
}

QString ChoosePortDialog::chosenDevice() const
{
    const QList<QTreeWidgetItem *> chosen = portList->selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->data(0, Qt::UserRole).toString();
}

void ChoosePortDialog::updateOk()
{
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!chosenDevice().isEmpty());
}
