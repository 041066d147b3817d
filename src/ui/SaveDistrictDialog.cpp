#include "SaveDistrictDialog.h"

#include "ApplicationName.h"
#include "DistrictImage.h"
#include "General.h"
#include "StringTable.h"
#include "UserPrompts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>

namespace {

// Whether `folder` is `path` or one of its parents (both absolute, no trailing "/").
bool holds(const QString &folder, const QString &path)
{
    return folder == QLatin1String("/") || path == folder || path.startsWith(folder + u'/');
}

// The folder itself, or its nearest parent that still exists (it may have been removed
// since the last run).
QString existingFolder(const QString &folder)
{
    if (folder.isEmpty())
        return QDir::homePath();
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo(path).isDir() && path != QLatin1String("/"))
        path = QFileInfo(path).path();
    return path;
}

QLabel *addLabel(QWidget *parent, const char *name, int tag)
{
    auto *label = General::addControl<QLabel>(parent, name, tag);
    label->setText(QLatin1String(name)); // replaced by the localisation
    return label;
}

QLineEdit *addTextBox(QWidget *parent, const char *name, int maxLength)
{
    auto *box = General::addControl<QLineEdit>(parent, name);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

} // namespace

SaveDistrictDialog::SaveDistrictDialog(const StringTable &strings, const General &general,
                                       UserPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_strings(strings)
    , m_general(general)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmSaveDistrict"));
    setWindowTitle(QStringLiteral("Save District"));
    setModal(true);

    fileNameLabel = addLabel(this, "lblFilename", 30510);
    fileNameEdit = addTextBox(this, "txtFilename", 0);
    driveBox = General::addControl<QComboBox>(this, "Drive1");
    connect(driveBox, &QComboBox::activated, this, &SaveDistrictDialog::showChosenDrive);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    connect(m_folders, &QFileSystemModel::directoryLoaded, this,
            &SaveDistrictDialog::keepHighlightInView);
    connect(m_folders, &QFileSystemModel::layoutChanged, this,
            &SaveDistrictDialog::keepHighlightInView);
    folderView = General::addControl<QTreeView>(this, "Dir1");
    folderView->setModel(m_folders);
    folderView->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        folderView->hideColumn(column);
    folderView->setMinimumSize(320, 220);
    // Once the user scrolls or clicks the tree, it stays where the user put it.
    connect(folderView->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_followHighlight = false; });
    connect(folderView, &QTreeView::pressed, this, [this] { m_followHighlight = false; });

    districtLabel = addLabel(this, "lblDistrict", 30520);
    districtEdit = addTextBox(this, "txtDistrict", DistrictImage::kDistrictLength);
    titleLabel = addLabel(this, "lblTitle", 30530);
    titleEdit = addTextBox(this, "txtTitle", DistrictImage::kTextLength);
    comments1Label = addLabel(this, "lblComments1", 30540);
    comments1Edit = addTextBox(this, "txtComments1", DistrictImage::kTextLength);
    comments2Label = addLabel(this, "lblComments2", 30550);
    comments2Edit = addTextBox(this, "txtComments2", DistrictImage::kTextLength);

    okButton = General::addControl<QPushButton>(this, "cmdOK", 30560);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &SaveDistrictDialog::confirm);

    auto *grid = new QGridLayout(this);
    grid->addWidget(fileNameLabel, 0, 0);
    grid->addWidget(fileNameEdit, 0, 1);
    grid->addWidget(driveBox, 1, 1);
    grid->addWidget(folderView, 2, 1);
    grid->addWidget(districtLabel, 3, 0);
    grid->addWidget(districtEdit, 3, 1);
    grid->addWidget(titleLabel, 4, 0);
    grid->addWidget(titleEdit, 4, 1);
    grid->addWidget(comments1Label, 5, 0);
    grid->addWidget(comments1Edit, 5, 1);
    grid->addWidget(comments2Label, 6, 0);
    grid->addWidget(comments2Edit, 6, 1);
    grid->addWidget(okButton, 7, 1, Qt::AlignRight);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);

    buildContents();
}

void SaveDistrictDialog::buildContents()
{
    m_general.localiseForm(*this);
    m_strAlreadyExists = m_strings.text(30600);
    m_strOverwrite = m_strings.text(30610);
}

void SaveDistrictDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Not when the window system shows it again (say, from minimised): the user's choice
    // of folder stays.
    if (!event->spontaneous())
        prepareToShow();
}

void SaveDistrictDialog::prepareToShow()
{
    fillDrives(); // a stick may have been plugged in since the last district
    const QString folder = existingFolder(m_strDefaultDir);
    int drive = -1; // the deepest entry that holds the folder
    for (int i = 0; i < driveBox->count(); ++i) {
        const QString root = driveBox->itemText(i);
        if (holds(root, folder) && (drive < 0 || root.size() > driveBox->itemText(drive).size()))
            drive = i;
    }
    if (drive < 0)
        drive = driveBox->findText(QDir::homePath());
    driveBox->setCurrentIndex(drive);
    showFolderTree(driveBox->itemText(drive));
    const QModelIndex highlighted = m_folders->index(folder);
    for (QModelIndex parent = highlighted.parent(); parent.isValid(); parent = parent.parent())
        folderView->expand(parent);
    folderView->setCurrentIndex(highlighted);
    folderView->scrollTo(highlighted);
    m_followHighlight = true;
    // Most users only confirm the proposed name or type a new one.
    fileNameEdit->setFocus();
    fileNameEdit->selectAll();
}

void SaveDistrictDialog::showChosenDrive()
{
    showFolderTree(driveBox->currentText());
}

void SaveDistrictDialog::confirm()
{
    const QString name = fileNameEdit->text();
    if (name.isEmpty() || name.contains(u'/')) {
        m_prompts.message(QStringLiteral("Type a file name for this district, without \"/\"."),
                          ApplicationName::title());
        fileNameEdit->setFocus();
        return;
    }
    for (QLineEdit *box : { districtEdit, titleEdit, comments1Edit, comments2Edit }) {
        const QString refusal = DistrictImage::textRefusal(box->text());
        if (!refusal.isEmpty()) {
            m_prompts.message(refusal, ApplicationName::title());
            box->setFocus();
            return;
        }
    }
    const QString folder = chosenFolder();
    m_strDefaultDir = folder.endsWith(u'/') ? folder : folder + u'/';
    const QString path = m_strDefaultDir + name + QStringLiteral(".dat");
    if (QFileInfo::exists(path)
        && m_prompts.question(path + u' ' + m_strAlreadyExists + u'\n' + m_strOverwrite,
                              ApplicationName::title(), UserPrompts::Answer::No)
            == UserPrompts::Answer::No)
        return;
    accept();
}

void SaveDistrictDialog::reject()
{
    const QString question
        = QStringLiteral("Skip this district? Its readings will not be saved in a file.");
    if (m_prompts.question(question, ApplicationName::title(), UserPrompts::Answer::No)
        == UserPrompts::Answer::Yes)
        QDialog::reject();
}

namespace {

// Volumes that hold the system's own state rather than files a user keeps.
bool offeredVolume(const QStorageInfo &volume)
{
    static const QByteArrayList pseudoTypes {
        "proc",     "sysfs",      "devtmpfs", "devpts",     "tmpfs",  "cgroup",
        "cgroup2",  "securityfs", "debugfs",  "tracefs",    "pstore", "bpf",
        "mqueue",   "hugetlbfs",  "configfs", "fusectl",    "autofs", "binfmt_misc",
        "efivarfs", "nsfs",       "ramfs",    "rpc_pipefs",
    };
    const QString root = volume.rootPath();
    for (const char *system : { "/proc", "/sys", "/dev", "/run" }) {
        if (holds(QLatin1String(system), root))
            return false;
    }
    // Files mounted over files (as containers do) are no place for a district file.
    return volume.isValid() && volume.isReady() && QFileInfo(root).isDir()
        && !pseudoTypes.contains(volume.fileSystemType());
}

} // namespace

// "/" and the home folder always, whatever the machine mounts (a container may not list
// "/"), then the other volumes in order.
void SaveDistrictDialog::fillDrives()
{
    QStringList roots { QStringLiteral("/"), QDir::homePath() };
    QStringList volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (offeredVolume(volume))
            volumes.append(volume.rootPath());
    }
    volumes.sort();
    roots.append(volumes);
    roots.removeDuplicates(); // each at its first place
    driveBox->clear();
    driveBox->addItems(roots);
}

QString SaveDistrictDialog::chosenFolder() const
{
    const QModelIndex current = folderView->currentIndex();
    return current.isValid() ? m_folders->filePath(current) : m_folders->rootPath();
}

void SaveDistrictDialog::showFolderTree(const QString &root)
{
    folderView->collapseAll();
    folderView->setRootIndex(m_folders->setRootPath(root));
    folderView->setCurrentIndex(QModelIndex());
    folderView->clearSelection();
}

void SaveDistrictDialog::keepHighlightInView()
{
    // The folders load and sort in the background: rows that arrive above the highlighted
    // folder push it down, out of view. The tree lays out its new rows first.
    QTimer::singleShot(0, this, [this] {
        const QModelIndex current = folderView->currentIndex();
        if (m_followHighlight && current.isValid())
            folderView->scrollTo(current);
    });
}
