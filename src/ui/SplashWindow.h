#pragma once

#include <QDialog>

#include <functional>

class General;
class PictureBox;
class QFrame;
class QLabel;
class QTimer;
class StartUpSettings;
class StringTable;
class UserPrompts;

// The splash window: opens first, reads the two settings, tells the user which COM port
// is in use and hands over to the main window 2 seconds later. Help > About shows it
// again.
class SplashWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kSplashMilliseconds = 2000;

    SplashWindow(const StringTable &strings, const General &general, StartUpSettings &startUp,
                 UserPrompts &prompts, QWidget *parent = nullptr);

    // "Version " and the version's numbers as plain decimals ("5.00.0003" gives
    // "Version 5.0.3").
    static QString versionCaption(const QString &version);

    // Localises the window and sets its labels.
    void buildContents();
    // Reads "COMPort" and "DefaultDir"; `currentDir` is the fallback directory.
    void readSettings(const QString &currentDir);
    // First activation in the run: the COM port message. Then the timer starts.
    void prepareToShow();
    void handOver();

    // Shows the window again for Help > About: its labels are set afresh, but the port
    // and directory of this run stay as they are.
    void showAbout();

    bool wasActivated() const { return m_wasActivated; }

    // Shows the main window (creating it the first time) and brings it to the front.
    std::function<void()> showMainWindow;

    QFrame *mainFrame = nullptr;
    QTimer *handOverTimer = nullptr;
    PictureBox *logo = nullptr;
    QLabel *productNameLabel = nullptr;
    QLabel *companyProductLabel = nullptr;
    QLabel *versionLabel = nullptr;
    QLabel *warningLabel = nullptr;
    QLabel *companyLabel = nullptr;
    QLabel *copyrightLabel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const StringTable &m_strings;
    const General &m_general;
    StartUpSettings &m_startUp;
    UserPrompts &m_prompts;
    bool m_wasActivated = false;
};
