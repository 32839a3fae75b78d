#pragma once
// The card viewer: one card shown read-only, laid out to its texts and its
// poster; plays the movie, shows the poster at full size and saves it.

#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
struct InfosMeasure;
struct InfosPlaces;

class ViewerWindow : public QWidget {
    Q_OBJECT
public:
    // The viewer, created (not shown) on first use; a closed viewer is gone
    // and the next call builds a fresh one.
    static ViewerWindow &instance();
    static bool exists();
    // Deletes the viewer, so that the next use creates a fresh one (tests).
    static void discard();

    // Lays the card out from the texts in the labels and strImageFile.
    void PositionsLoad();

    QString strImageFile;   // the card whose poster is shown, read in place; empty: no poster
    QString strDivXFile;    // the movie beside the card
    QString cardPath;       // the card shown, from which the poster is saved

    QLabel *lblTitre, *lblAnnee, *lblDuree, *lblTypeA, *lblRealisateurA, *lblActeursA, *lblResumeA;
    QLabel *lblType, *lblRealisateur, *lblActeurs, *lblResume;
    QLabel *imgAffiche, *picAffiche;
    QPushButton *cmdOK, *cmdPlay;
    QMenu *mnuAffiche;
    QAction *mnuAfficheFull, *mnuAfficheSep1, *mnuAfficheSave;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ViewerWindow();
    QLabel *makeLabel(const char *name, const QString &text);
    void buildControls();
    void buildRows();
    void buildMenu();
    void setCaptions();
    void connectHandlers();

    void SizePoster();
    QPixmap fullPoster() const;
    QSize m_posterNatural;   // pixels; empty when there is no poster
    InfosMeasure measure() const;
    void apply(const InfosPlaces &places);

    void cmdPlay_Click();
    void cmdOK_Click();
    void imgAffiche_MouseUp(Qt::MouseButton button, const QPoint &globalPos);
    void mnuAfficheFull_Click();
    void mnuAfficheSave_Click();

    static QPointer<ViewerWindow> s_instance;
};
