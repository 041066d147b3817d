#include "HelpWindow.h"

#include "GuideHeadings.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The guide's block that a contents item leads to.
constexpr int kBlockRole = Qt::UserRole;

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("NERU Help"));

    tvwContents = new QTreeWidget;
    tvwContents->setObjectName(QStringLiteral("tvwContents"));
    tvwContents->setHeaderHidden(true);
    guideView = new QTextBrowser;
    guideView->setObjectName(QStringLiteral("txtGuide"));
    guideView->setOpenLinks(false);
    findEdit = new QLineEdit;
    findEdit->setObjectName(QStringLiteral("txtFind"));
    findEdit->setPlaceholderText(QStringLiteral("Find in the guide"));
    findEdit->setClearButtonEnabled(true);
    findLabel = new QLabel;
    findLabel->setObjectName(QStringLiteral("lblFind"));

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(findEdit, 1);
    findRow->addWidget(findLabel);
    auto *guidePane = new QWidget;
    auto *guideColumn = new QVBoxLayout(guidePane);
    guideColumn->setContentsMargins(0, 0, 0, 0);
    guideColumn->addLayout(findRow);
    guideColumn->addWidget(guideView, 1);

    auto *splitter = new QSplitter;
    splitter->addWidget(tvwContents);
    splitter->addWidget(guidePane);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ 290, 610 });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(920, 600);

    loadGuide();
    // The arrow keys change the current heading; a click also goes back to the current one
    // after the guide was scrolled away from it.
    connect(tvwContents, &QTreeWidget::itemClicked, this, &HelpWindow::tvwContents_ItemChosen);
    connect(tvwContents, &QTreeWidget::currentItemChanged, this,
            &HelpWindow::tvwContents_ItemChosen);
    connect(findEdit, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(findEdit, &QLineEdit::textEdited, findLabel, &QLabel::clear);
}

void HelpWindow::loadGuide()
{
    QFile guide(QString::fromLatin1(kGuideResource));
    if (!guide.open(QIODevice::ReadOnly)) {
        guideView->setPlainText(QStringLiteral("The guide is missing from this build."));
        return;
    }
    guideView->document()->setMarkdown(QString::fromUtf8(guide.readAll()));
    // The cursor would stay after the inserted text, and the window open at the end.
    guideView->moveCursor(QTextCursor::Start);

    QTreeWidgetItem *section = nullptr;
    for (const GuideHeadings::Heading &heading : GuideHeadings::read(*guideView->document())) {
        QTreeWidgetItem *item = (heading.level == 3 && section) ? new QTreeWidgetItem(section)
                                                                : new QTreeWidgetItem(tvwContents);
        if (heading.level == 2)
            section = item;
        item->setText(0, heading.text);
        item->setData(0, kBlockRole, heading.blockNumber);
    }
    tvwContents->expandAll();
    // The first section is current from the start, so that focusing the list does not
    // make it current and scroll past the guide's opening lines.
    const QSignalBlocker quiet(tvwContents);
    tvwContents->setCurrentItem(tvwContents->topLevelItem(0));
}

void HelpWindow::bringUp()
{
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    bringUp();
    tvwContents->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::showSearch()
{
    bringUp();
    findEdit->setFocus(Qt::OtherFocusReason);
    findEdit->selectAll();
}

void HelpWindow::tvwContents_ItemChosen(QTreeWidgetItem *item)
{
    if (!item)
        return;
    QTextDocument &guide = *guideView->document();
    const QTextBlock block = guide.findBlockByNumber(item->data(0, kBlockRole).toInt());
    if (!block.isValid())
        return;
    guideView->setTextCursor(QTextCursor(block));
    const QRectF at = guide.documentLayout()->blockBoundingRect(block);
    guideView->verticalScrollBar()->setValue(qRound(at.top()));
}

void HelpWindow::findNext()
{
    const QString text = findEdit->text();
    if (text.isEmpty()) {
        findLabel->clear();
        return;
    }
    bool found = guideView->find(text);
    if (!found) {
        const QTextCursor before = guideView->textCursor();
        guideView->moveCursor(QTextCursor::Start);
        found = guideView->find(text);
        if (!found)
            guideView->setTextCursor(before);
    }
    findLabel->setText(found ? QString() : QStringLiteral("Not found"));
}
