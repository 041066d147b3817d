#include "General.h"

#include "PictureBox.h"
#include "StringTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextEdit>
#include <QToolBar>

#include <algorithm>

namespace {

bool isToolbarButton(const QAction &action)
{
    const auto owners = action.associatedObjects();
    return std::any_of(owners.begin(), owners.end(),
                       [](const QObject *o) { return qobject_cast<const QToolBar *>(o); });
}

// Caption: the visible text of menus, labels, buttons and frames.
bool setCaption(QObject &control, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(&control)) {
        action->setText(text);
    } else if (qobject_cast<PictureBox *>(&control)) {
        return false;
    } else if (auto *label = qobject_cast<QLabel *>(&control)) {
        label->setText(text);
    } else if (auto *button = qobject_cast<QAbstractButton *>(&control)) {
        button->setText(text);
    } else if (auto *frame = qobject_cast<QGroupBox *>(&control)) {
        frame->setTitle(text);
    } else {
        return false;
    }
    return true;
}

// ToolTipText: every widget and a toolbar button have one; a menu entry has none.
bool setToolTip(QObject &control, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(&control)) {
        if (!isToolbarButton(*action))
            return false;
        action->setToolTip(text);
    } else if (auto *widget = qobject_cast<QWidget *>(&control)) {
        widget->setToolTip(text);
    } else {
        return false;
    }
    return true;
}

// Text: the contents of text boxes.
bool setText(QObject &control, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(&control)) {
        line->setText(text);
    } else if (auto *edit = qobject_cast<QTextEdit *>(&control)) {
        edit->setPlainText(text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(&control)) {
        plain->setPlainText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(&control); combo && combo->isEditable()) {
        combo->setEditText(text);
    } else {
        return false;
    }
    return true;
}

int tagOf(const QObject &control)
{
    bool ok = false;
    const int id = control.property(General::kTagProperty).toString().trimmed().toInt(&ok);
    return ok ? id : 0;
}

// The window's own controls: descendants, without other windows and their controls.
// Menus are popup windows of their own but belong to the window's menu bar.
void collectControls(QObject &parent, QList<QObject *> &controls)
{
    for (QObject *child : parent.children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && widget->isWindow() && !qobject_cast<QMenu *>(widget))
            continue;
        controls.append(child);
        collectControls(*child, controls);
    }
}

} // namespace

General::General(const StringTable &strings)
    : m_strings(strings)
{ }

void General::setTag(QObject &control, int id)
{
    control.setProperty(kTagProperty, QString::number(id));
}

void General::localiseForm(QWidget &window) const
{
    QList<QObject *> controls;
    collectControls(window, controls);
    QSet<QObject *> done;
    for (QObject *control : controls) {
        const QString type = typeName(*control);
        if (!done.contains(control)) {
            localiseControl(*control, type);
            done.insert(control);
        }
        // A toolbar's buttons are sub-items that need not be its children.
        if (auto *toolbar = qobject_cast<QToolBar *>(control)) {
            for (QAction *button : toolbar->actions()) {
                if (!done.contains(button)) {
                    localiseControl(*button, typeName(*button));
                    done.insert(button);
                }
            }
        }
    }
}

void General::localiseControl(QObject &control, const QString &typeName) const
{
    const int tag = tagOf(control);
    if (tag <= 0)
        return;
    if (typeName == QLatin1String("PictureBox")) {
        const QPixmap picture = loadBitmap(tag);
        if (auto *box = qobject_cast<PictureBox *>(&control); box && !picture.isNull())
            box->setPixmap(picture);
        return;
    }
    if (m_strings.contains(tag))
        setCaption(control, m_strings.text(tag));
    if (m_strings.contains(tag + 1))
        setToolTip(control, m_strings.text(tag + 1));
    if (m_strings.contains(tag + 2))
        setText(control, m_strings.text(tag + 2));
}

QString General::typeName(const QObject &control)
{
    if (auto *action = qobject_cast<const QAction *>(&control))
        return isToolbarButton(*action) ? QStringLiteral("Button") : QStringLiteral("Menu");
    if (qobject_cast<const QToolBar *>(&control))
        return QStringLiteral("Toolbar");
    if (qobject_cast<const PictureBox *>(&control))
        return QStringLiteral("PictureBox");
    if (qobject_cast<const QLabel *>(&control))
        return QStringLiteral("Label");
    if (qobject_cast<const QAbstractButton *>(&control))
        return QStringLiteral("CommandButton");
    if (qobject_cast<const QLineEdit *>(&control) || qobject_cast<const QTextEdit *>(&control)
        || qobject_cast<const QPlainTextEdit *>(&control))
        return QStringLiteral("TextBox");
    if (qobject_cast<const QGroupBox *>(&control))
        return QStringLiteral("Frame");
    return QString::fromLatin1(control.metaObject()->className());
}

QPixmap General::loadBitmap(int id)
{
    return QPixmap(QStringLiteral(":/neru/bitmaps/%1.png").arg(id));
}
