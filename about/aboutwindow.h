#pragma once
// The About window: the title line with the version, the author, two links,
// the mail button and OK. One instance for the whole run, created when its
// texts are loaded, composed on its first show and only hidden by OK or Esc.

#include "about/aboutlinks.h"
#include "desktop/singlewindow.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScreen;

class AboutWindow : public QDialog, public SingleWindow<AboutWindow> {
    Q_OBJECT
public:
    // Shows the window modally; returns once it is hidden again.
    static void showModal();

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
    friend class SingleWindow<AboutWindow>;
    AboutWindow();
    void createControls();
    void placeControls();
    void setCaptions();
    void connectHandlers();
    void fitMailButton();
    void centreOnScreen(const QScreen *screen);

    void composeTitle();
    void plainLinks();
    void openWebSite();
    void openDatabase();
    void mailProgrammer();

    void openAddress(const QUrl &address);

    Version m_version;
    bool m_loaded = false;

    QLabel *m_iconPicture = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_authorLabel = nullptr;
    QLabel *m_webLink = nullptr;
    QLabel *m_databaseLink = nullptr;
    QLabel *m_aboutPicture = nullptr;
    QPushButton *m_mailButton = nullptr;
    QPushButton *m_okButton = nullptr;
};
