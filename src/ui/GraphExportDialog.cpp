#include "GraphExportDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

GraphExportDialog::GraphExportDialog(GraphExport::Format format, const QString &fileName,
                                     QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("GraphExportDialog"));
    setWindowTitle(QStringLiteral("Export Graph"));
    const QSizeF size = GraphExport::defaultSize(format);
    const QString unit = GraphExport::sizeUnit(format);
    auto box = [this, format, &unit](const char *name, double value) {
        auto *spin = new QDoubleSpinBox(this);
        spin->setObjectName(QLatin1String(name));
        // Whole pixels; millimetres to a tenth.
        spin->setDecimals(format == GraphExport::Format::Pdf ? 1 : 0);
        spin->setRange(GraphExport::minimumSide(format), GraphExport::maximumSide(format));
        spin->setValue(value);
        spin->setSuffix(u' ' + unit);
        return spin;
    };
    widthBox = box("width", size.width());
    heightBox = box("height", size.height());
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(new QLabel(fileName, this));
    form->addRow(QStringLiteral("&Width:"), widthBox);
    form->addRow(QStringLiteral("&Height:"), heightBox);
    form->addRow(buttons);
}

QSizeF GraphExportDialog::figureSize() const
{
    return QSizeF(widthBox->value(), heightBox->value());
}
