#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

// The user guide behind Help > Contents and Help > Search: its contents on the left (the
// guide's sections with their parts), the guide on the right, and a find field above it.
// One window, raised again when it is asked for while open. The guide is built into the
// program, so no installed file is needed.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char *kGuideResource = ":/neru/guide.md";

    explicit HelpWindow(QWidget *parent = nullptr);

    // Help > Contents: the window with its contents list focused.
    void showContents();
    // Help > Search: the window with the find field focused and its text selected.
    void showSearch();

    QTreeWidget *tvwContents = nullptr;
    QTextBrowser *guideView = nullptr;
    QLineEdit *findEdit = nullptr;
    // "Not found" when the last search found nothing; empty otherwise.
    QLabel *findLabel = nullptr;

private:
    void loadGuide();
    void bringUp();
    // Scrolls the guide so that the item's heading is at the top.
    void tvwContents_ItemChosen(QTreeWidgetItem *item);
    // The next place of the find field's text after the cursor, round to the start.
    void findNext();
};
