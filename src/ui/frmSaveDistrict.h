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
class frmSaveDistrict : public QDialog
{
    Q_OBJECT

public:
    frmSaveDistrict(const StringTable &strings, const General &general, UserPrompts &prompts,
                    QWidget *parent = nullptr);

    // The folder the dialog opens at and, after OK, the one chosen (always ending in "/").
    const QString &strDefaultDir() const { return m_strDefaultDir; }
    void setDefaultDir(const QString &folder) { m_strDefaultDir = folder; }

    // Localises the captions and loads the texts of the overwrite question.
    void Form_Load();
    // Shows the drive of strDefaultDir, the folder tree open down to it, it highlighted.
    void Form_Activate();
    // The user picked another drive: the tree shows it, no folder highlighted.
    void Drive1_Change();
    void cmdOK_Click();

    // Closing by the window frame or Esc skips the district when the user agrees.
    void reject() override;

    QLabel *lblFilename = nullptr;
    QLineEdit *txtFilename = nullptr;
    QComboBox *Drive1 = nullptr;
    QTreeView *Dir1 = nullptr;
    QLabel *lblDistrict = nullptr;
    QLineEdit *txtDistrict = nullptr;
    QLabel *lblTitle = nullptr;
    QLineEdit *txtTitle = nullptr;
    QLabel *lblComments1 = nullptr;
    QLineEdit *txtComments1 = nullptr;
    QLabel *lblComments2 = nullptr;
    QLineEdit *txtComments2 = nullptr;
    QPushButton *cmdOK = nullptr;

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
