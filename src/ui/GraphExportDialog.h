#pragma once

#include "GraphExport.h"

#include <QDialog>
#include <QSizeF>

class QDialogButtonBox;
class QDoubleSpinBox;

// File > Export Graph's size dialog: the figure's width and height in the unit of its
// format (pixels for PNG and SVG, millimetres for PDF), starting at the format's default
// size. The boxes take only sizes the figure can be drawn at. OK accepts; the caller reads
// figureSize then.
class GraphExportDialog : public QDialog
{
    Q_OBJECT

public:
    GraphExportDialog(GraphExport::Format format, const QString &fileName,
                      QWidget *parent = nullptr);

    QSizeF figureSize() const;

    QDoubleSpinBox *widthBox = nullptr;
    QDoubleSpinBox *heightBox = nullptr;
    QDialogButtonBox *buttons = nullptr;
};
