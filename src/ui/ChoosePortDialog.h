#pragma once

#include "DetectedPorts.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// Tools > Comms > Choose Port: the serial ports the system detects, one row each, and the
// COM port (1 to 4) to name the chosen one for. OK takes a chosen row only; the caller then
// reads chosenPort and chosenDevice. With no port detected a text says why one may be
// missing in place of the list.
class ChoosePortDialog : public QDialog
{
    Q_OBJECT

public:
    // Lists the ports, afresh at every call.
    using Lister = std::function<QList<DetectedPorts::Port>()>;

    // `portInUse` is proposed; COM1 when it is no logger port (the Test port or none).
    ChoosePortDialog(Lister lister, qint16 portInUse, QWidget *parent = nullptr);

    // Lists the ports again; the chosen device stays chosen while it is listed.
    void refresh();
    qint16 chosenPort() const;
    // The chosen row's name for the [Ports] section (its stable name when it has one);
    // empty when no row is chosen.
    QString chosenDevice() const;

    QTreeWidget *portList = nullptr;
    QLabel *noPortText = nullptr;
    QPushButton *refreshButton = nullptr;
    QComboBox *portBox = nullptr;
    QDialogButtonBox *buttons = nullptr;

private:
    void updateOk();

    Lister m_lister;
};
