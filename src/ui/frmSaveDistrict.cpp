#include "frmSaveDistrict.h"

#include "DistrictImage.h"
#include "ApplicationName.h"
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

frmSaveDistrict::frmSaveDistrict(const StringTable &strings, const General &general,
                                 UserPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_strings(strings)
    , m_general(general)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmSaveDistrict"));
    setWindowTitle(QStringLiteral("Save District"));
    setModal(true);

    lblFilename = addLabel(this, "lblFilename", 30510);
    txtFilename = addTextBox(this, "txtFilename", 0);
    Drive1 = General::addControl<QComboBox>(this, "Drive1");
    connect(Drive1, &QComboBox::activated, this, &frmSaveDistrict::Drive1_Change);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    connect(m_folders, &QFileSystemModel::directoryLoaded, this,
            &frmSaveDistrict::keepHighlightInView);
    connect(m_folders, &QFileSystemModel::layoutChanged, this,
            &frmSaveDistrict::keepHighlightInView);
    Dir1 = General::addControl<QTreeView>(this, "Dir1");
    Dir1->setModel(m_folders);
    Dir1->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        Dir1->hideColumn(column);
    Dir1->setMinimumSize(320, 220);
    // Once the user scrolls or clicks the tree, it stays where the user put it.
    connect(Dir1->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_followHighlight = false; });
    connect(Dir1, &QTreeView::pressed, this, [this] { m_followHighlight = false; });

    lblDistrict = addLabel(this, "lblDistrict", 30520);
    txtDistrict = addTextBox(this, "txtDistrict", DistrictImage::kDistrictLength);
    lblTitle = addLabel(this, "lblTitle", 30530);
    txtTitle = addTextBox(this, "txtTitle", DistrictImage::kTextLength);
    lblComments1 = addLabel(this, "lblComments1", 30540);
    txtComments1 = addTextBox(this, "txtComments1", DistrictImage::kTextLength);
    lblComments2 = addLabel(this, "lblComments2", 30550);
    txtComments2 = addTextBox(this, "txtComments2", DistrictImage::kTextLength);

    cmdOK = General::addControl<QPushButton>(this, "cmdOK", 30560);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmSaveDistrict::cmdOK_Click);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblFilename, 0, 0);
    grid->addWidget(txtFilename, 0, 1);
    grid->addWidget(Drive1, 1, 1);
    grid->addWidget(Dir1, 2, 1);
    grid->addWidget(lblDistrict, 3, 0);
    grid->addWidget(txtDistrict, 3, 1);
    grid->addWidget(lblTitle, 4, 0);
    grid->addWidget(txtTitle, 4, 1);
    grid->addWidget(lblComments1, 5, 0);
    grid->addWidget(txtComments1, 5, 1);
    grid->addWidget(lblComments2, 6, 0);
    grid->addWidget(txtComments2, 6, 1);
    grid->addWidget(cmdOK, 7, 1, Qt::AlignRight);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);

    Form_Load();
}

void frmSaveDistrict::Form_Load()
{
    m_general.localiseForm(*this);
    m_strAlreadyExists = m_strings.text(30600);
    m_strOverwrite = m_strings.text(30610);
}

void frmSaveDistrict::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Not when the window system shows it again (say, from minimised): the user's choice
    // of folder stays.
    if (!event->spontaneous())
        Form_Activate();
}

void frmSaveDistrict::Form_Activate()
{
    fillDrives(); // a stick may have been plugged in since the last district
    const QString folder = existingFolder(m_strDefaultDir);
    int drive = -1; // the deepest entry that holds the folder
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemText(i);
        if (holds(root, folder) && (drive < 0 || root.size() > Drive1->itemText(drive).size()))
            drive = i;
    }
    if (drive < 0)
        drive = Drive1->findText(QDir::homePath());
    Drive1->setCurrentIndex(drive);
    showFolderTree(Drive1->itemText(drive));
    const QModelIndex highlighted = m_folders->index(folder);
    for (QModelIndex parent = highlighted.parent(); parent.isValid(); parent = parent.parent())
        Dir1->expand(parent);
    Dir1->setCurrentIndex(highlighted);
    Dir1->scrollTo(highlighted);
    m_followHighlight = true;
    // Most users only confirm the proposed name or type a new one.
    txtFilename->setFocus();
    txtFilename->selectAll();
}

void frmSaveDistrict::Drive1_Change()
{
    showFolderTree(Drive1->currentText());
}

void frmSaveDistrict::cmdOK_Click()
{
    const QString name = txtFilename->text();
    if (name.isEmpty() || name.contains(u'/')) {
        m_prompts.message(QStringLiteral("Type a file name for this district, without \"/\"."),
                          ApplicationName::title());
        txtFilename->setFocus();
        return;
    }
    for (QLineEdit *box : { txtDistrict, txtTitle, txtComments1, txtComments2 }) {
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

void frmSaveDistrict::reject()
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
void frmSaveDistrict::fillDrives()
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
    Drive1->clear();
    Drive1->addItems(roots);
}

QString frmSaveDistrict::chosenFolder() const
{
    const QModelIndex current = Dir1->currentIndex();
    return current.isValid() ? m_folders->filePath(current) : m_folders->rootPath();
}

void frmSaveDistrict::showFolderTree(const QString &root)
{
    Dir1->collapseAll();
    Dir1->setRootIndex(m_folders->setRootPath(root));
    Dir1->setCurrentIndex(QModelIndex());
    Dir1->clearSelection();
}

void frmSaveDistrict::keepHighlightInView()
{
    // The folders load and sort in the background: rows that arrive above the highlighted
    // folder push it down, out of view. The tree lays out its new rows first.
    QTimer::singleShot(0, this, [this] {
        const QModelIndex current = Dir1->currentIndex();
        if (m_followHighlight && current.isValid())
            Dir1->scrollTo(current);
    });
}
