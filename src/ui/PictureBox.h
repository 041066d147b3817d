#pragma once

#include <QLabel>

// A control that shows a picture: what the localisation loads a bitmap resource into
// when the control's tag names one.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);
};
