#pragma once

#include <QString>

class QObject;
class QPixmap;
class QWidget;
class StringTable;

// Localisation of windows: every control whose tag holds a string id takes its texts
// from the string table when its window is created. A control's tag is its dynamic
// property "tag" (a decimal id as text).
class General
{
public:
    static constexpr const char *kTagProperty = "tag";

    explicit General(const StringTable &strings);

    static void setTag(QObject &control, int id);

    // A new control of `parent` named `name` and, for a `tag` above 0, tagged with that
    // string id, so that localiseForm gives it its texts.
    template<typename Control>
    static Control *addControl(QWidget *parent, const char *name, int tag = 0)
    {
        auto *control = new Control(parent);
        control->setObjectName(QLatin1String(name));
        if (tag > 0)
            setTag(*control, tag);
        return control;
    }

    // Localises every control of the window (menus and toolbar buttons included), but
    // not the window itself and not the controls of other windows that it owns.
    void localiseForm(QWidget &window) const;

    // Applies the tag rule to one control. `typeName` is typeName(control). A tag that
    // is not a number above 0 leaves the control as designed; a missing text or a
    // property the control does not have is skipped.
    void localiseControl(QObject &control, const QString &typeName) const;

    // The kind of control: "Menu", "Button" (a toolbar button), "Toolbar", "Label",
    // "PictureBox", "CommandButton", "TextBox", "Frame", or the class name otherwise.
    static QString typeName(const QObject &control);

    // Bitmap resource `id` of the program; a null pixmap when there is none.
    static QPixmap loadBitmap(int id);

private:
    const StringTable &m_strings;
};
