#pragma once
// The About window: the title line with the version, the author, two links,
// the mail button and OK. One instance for the whole run, created when its
// texts are loaded, composed on its first show and only hidden by OK or Esc.

#include "about/aboutlinks.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScreen;

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // The single instance, created (not shown) on first use.
    static AboutWindow &instance();
    static bool exists();
    // Deletes the window, so that the next use creates a fresh one (tests).
    static void discard();
    // Shows the window modally; returns once it is hidden again.
    static void ShowModal();

    // The version composed on the first show; only tests change it.
    struct Version {
        int major, minor, revision;
    };
    void setVersion(Version version) { m_version = version; }

protected:
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AboutWindow();
    void createControls();
    void placeControls();
    void setCaptions();
    void connectHandlers();
    void fitMailButton();
    void centreOnScreen(const QScreen *screen);

    void Form_Load();
    void Form_MouseMove();
    void lblAuthor_MouseMove();
    void lblWeb_MouseMove();
    void lblcfhdb_MouseMove();
    void lblWeb_Click();
    void lblcfhdb_Click();
    void cmdMail_Click();
    void cmdOK_Click();

    void openAddress(const QUrl &address);

    Version m_version;
    bool m_loaded = false;

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblAuthor = nullptr;
    QLabel *lblWeb = nullptr;
    QLabel *lblcfhdb = nullptr;
    QLabel *Picture1 = nullptr;
    QPushButton *cmdMail = nullptr;
    QPushButton *cmdOK = nullptr;
};
