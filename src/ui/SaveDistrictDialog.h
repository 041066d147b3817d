#pragma once

#include <QDialog>
#include <QString>

class General;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class StringTable;
class UserPrompts;

// The Save District dialog: the file name, folder and header texts of one district of a
// download. It is made once, hidden by OK and shown again for the next district; its boxes
// are read after it has been hidden. There is no Cancel: closing it asks whether to skip
// the district.
class SaveDistrictDialog : public QDialog
{
    Q_OBJECT

public:
    SaveDistrictDialog(const StringTable &strings, const General &general, UserPrompts &prompts,
                       QWidget *parent = nullptr);

    // The folder the dialog opens at and, after OK, the one chosen (always ending in "/").
    const QString &defaultFolder() const { return m_strDefaultDir; }
    void setDefaultDir(const QString &folder) { m_strDefaultDir = folder; }

    // Localises the captions and loads the texts of the overwrite question.
    void buildContents();
    // Shows the drive of defaultFolder, the folder tree open down to it, it highlighted.
    void prepareToShow();
    // The user picked another drive: the tree shows it, no folder highlighted.
    void showChosenDrive();
    void confirm();

    // Closing by the window frame or Esc skips the district when the user agrees.
    void reject() override;

    QLabel *fileNameLabel = nullptr;
    QLineEdit *fileNameEdit = nullptr;
    QComboBox *driveBox = nullptr;
    QTreeView *folderView = nullptr;
    QLabel *districtLabel = nullptr;
    QLineEdit *districtEdit = nullptr;
    QLabel *titleLabel = nullptr;
    QLineEdit *titleEdit = nullptr;
    QLabel *comments1Label = nullptr;
    QLineEdit *comments1Edit = nullptr;
    QLabel *comments2Label = nullptr;
    QLineEdit *comments2Edit = nullptr;
    QPushButton *okButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillDrives();
    // The folder of the tree that OK saves into: the highlighted one, else the tree's root.
    QString chosenFolder() const;
    void showFolderTree(const QString &root);
    void keepHighlightInView();

    const StringTable &m_strings;
    const General &m_general;
    UserPrompts &m_prompts;
    QFileSystemModel *m_folders = nullptr;
    QString m_strDefaultDir;
    bool m_followHighlight = false; // until the user scrolls or clicks the tree
    QString m_strAlreadyExists;
    QString m_strOverwrite;
};
