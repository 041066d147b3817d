#include "frmHelp.h"

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

frmHelp::frmHelp(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("NERU Help"));

    tvwContents = new QTreeWidget;
    tvwContents->setObjectName(QStringLiteral("tvwContents"));
    tvwContents->setHeaderHidden(true);
    txtGuide = new QTextBrowser;
    txtGuide->setObjectName(QStringLiteral("txtGuide"));
    txtGuide->setOpenLinks(false);
    txtFind = new QLineEdit;
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("Find in the guide"));
    txtFind->setClearButtonEnabled(true);
    lblFind = new QLabel;
    lblFind->setObjectName(QStringLiteral("lblFind"));

    auto *findRow = new QHBoxLayout;
    findRow->addWidget(txtFind, 1);
    findRow->addWidget(lblFind);
    auto *guidePane = new QWidget;
    auto *guideColumn = new QVBoxLayout(guidePane);
    guideColumn->setContentsMargins(0, 0, 0, 0);
    guideColumn->addLayout(findRow);
    guideColumn->addWidget(txtGuide, 1);

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
    connect(tvwContents, &QTreeWidget::itemClicked, this, &frmHelp::tvwContents_ItemChosen);
    connect(tvwContents, &QTreeWidget::currentItemChanged, this, &frmHelp::tvwContents_ItemChosen);
    connect(txtFind, &QLineEdit::returnPressed, this, &frmHelp::txtFind_ReturnPressed);
    connect(txtFind, &QLineEdit::textEdited, lblFind, &QLabel::clear);
}

void frmHelp::loadGuide()
{
    QFile guide(QString::fromLatin1(kGuideResource));
    if (!guide.open(QIODevice::ReadOnly)) {
        txtGuide->setPlainText(QStringLiteral("The guide is missing from this build."));
        return;
    }
    txtGuide->document()->setMarkdown(QString::fromUtf8(guide.readAll()));
    // The cursor would stay after the inserted text, and the window open at the end.
    txtGuide->moveCursor(QTextCursor::Start);

    QTreeWidgetItem *section = nullptr;
    for (const GuideHeadings::Heading &heading : GuideHeadings::read(*txtGuide->document())) {
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

void frmHelp::bringUp()
{
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void frmHelp::showContents()
{
    bringUp();
    tvwContents->setFocus(Qt::OtherFocusReason);
}

void frmHelp::showSearch()
{
    bringUp();
    txtFind->setFocus(Qt::OtherFocusReason);
    txtFind->selectAll();
}

void frmHelp::tvwContents_ItemChosen(QTreeWidgetItem *item)
{
    if (!item)
        return;
    QTextDocument &guide = *txtGuide->document();
    const QTextBlock block = guide.findBlockByNumber(item->data(0, kBlockRole).toInt());
    if (!block.isValid())
        return;
    txtGuide->setTextCursor(QTextCursor(block));
    const QRectF at = guide.documentLayout()->blockBoundingRect(block);
    txtGuide->verticalScrollBar()->setValue(qRound(at.top()));
}

void frmHelp::txtFind_ReturnPressed()
{
    const QString text = txtFind->text();
    if (text.isEmpty()) {
        lblFind->clear();
        return;
    }
    bool found = txtGuide->find(text);
    if (!found) {
        const QTextCursor before = txtGuide->textCursor();
        txtGuide->moveCursor(QTextCursor::Start);
        found = txtGuide->find(text);
        if (!found)
            txtGuide->setTextCursor(before);
    }
    lblFind->setText(found ? QString() : QStringLiteral("Not found"));
}
