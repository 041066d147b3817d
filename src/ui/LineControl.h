#pragma once

#include <QLine>
#include <QWidget>

// A straight horizontal or vertical line drawn on a window, placed by its two end
// points in pixels (an axis or a tick of the main window).
class LineControl : public QWidget
{
    Q_OBJECT

public:
    explicit LineControl(QWidget *parent = nullptr);

    void setLine(const QLine &line);
    QLine line() const { return m_line; }

private:
    QLine m_line;
};
