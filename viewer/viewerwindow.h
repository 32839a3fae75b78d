#pragma once
// The card viewer: one card shown read-only, laid out to its texts and its
// poster; plays the movie, shows the poster at full size and saves it.

#include "card/cardfile.h"
#include "card/cardrecord.h"
#include "card/cardwatch.h"
#include "desktop/singlewindow.h"

#include <QString>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
struct InfosMeasure;
struct InfosPlaces;

// A closed viewer is gone: the next card builds a fresh one.
class ViewerWindow : public QWidget, public SingleWindow<ViewerWindow> {
    Q_OBJECT
public:
    // Reads the card at cardPath into the viewer and shows it, its Play
    // button hidden unless withPlay. False when the card could not be read:
    // the message is shown and no viewer is left unshown.
    static bool showCard(const QString &cardPath, bool withPlay = true);
    // The editor's card as it would be saved, written at cardPath: shown
    // without the poster's save item, the file being no card of the user's.
    static bool showPreview(const QString &cardPath);

    // The card shown, from which the poster is saved.
    const QString &cardPath() const { return m_cardPath; }
    // The movie beside the card, which Play opens; empty when none.
    const QString &moviePath() const { return m_moviePath; }
    // Whether the card shown has a poster, read in place from the card.
    bool hasPosterBytes() const { return !m_posterCard.isEmpty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class SingleWindow<ViewerWindow>;
    ViewerWindow();
    static bool load(const QString &cardPath, bool posterSavable);
    void showHead(const QString &cardPath, const CardHead &head);
    // Shows the card again when another program changed it.
    void showChangedCard();
    QLabel *makeLabel(const char *name, const QString &text);
    void buildControls();
    void buildRows();
    void buildMenu();
    void setCaptions();
    void connectHandlers();
    void showCentred();

    void showTexts(const Card &card);
    void findMovie(const QString &cardPath);
    void savePosterAs();

    // Lays the card out from the texts in the labels and m_posterCard.
    void placeControls();
    void loadShownPoster();
    QPixmap fullPoster() const;
    QSize m_posterNatural;   // pixels; empty when there is none
    InfosMeasure measure() const;
    void apply(const InfosPlaces &places);

    void playMovie();
    void onPosterClick(Qt::MouseButton button, const QPoint &globalPos);
    void showFullView();

    QString m_posterCard;   // the card whose poster is shown, read in place; empty: no poster
    QString m_moviePath;    // the movie beside the card
    QString m_cardPath;
    CardFingerprint m_shownFile;   // the file the card shown was read from
    CardWatch *m_cardWatch = new CardWatch(this);

    QLabel *m_titleLabel, *m_yearLabel, *m_runningTimeLabel, *m_genreCaption, *m_directorCaption,
        *m_actorsCaption, *m_summaryCaption;
    QLabel *m_genreLabel, *m_directorLabel, *m_actorsLabel, *m_summaryLabel;
    QLabel *m_posterLabel, *m_posterPicture;
    QPushButton *m_okButton, *m_playButton;
    QMenu *m_posterMenu;
    QAction *m_fullViewAction, *m_posterMenuSeparator, *m_savePosterAction;
};
