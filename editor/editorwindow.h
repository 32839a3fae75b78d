#pragma once
// The card editor: one card as seven text boxes, the actor box and the
// poster panel, with the File, Affiche and About menus.

#include "app/messages.h"
#include "app/singlewindow.h"
#include "card/cardrecord.h"
#include "card/cardsave.h"
#include "card/cardwatch.h"
#include "editor/opencard.h"
#include "poster/posterpaste.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>

class ActorList;
class QAction;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QPlainTextEdit;
class QPushButton;

class EditorWindow : public QMainWindow, public SingleWindow<EditorWindow> {
    Q_OBJECT
public:
    // Shows the editor on the new card it starts with.
    void newCard();
    // Reads the card at path into the editor and shows it; false, the
    // editor not shown, when the file is missing or no card.
    bool openCard(const QString &path);
    // The same for a window beside the editor: the card it shows is first
    // saved or given up as the user says. False when the user kept it, or
    // the card could not be read.
    bool editCard(const QString &path);
    // Shows a new card whose first save proposes folder, once the card
    // shown is saved or given up; false when the user kept it.
    bool newCardIn(const QString &folder);

    // The card open in the editor.
    const OpenCard &card() const { return m_card; }
    // Puts another card's state in place, as its load would (tests).
    void setCard(const OpenCard &card) { m_card = card; }
    // The poster at its natural size; null when there is none.
    QPixmap poster() const { return m_poster; }

    // The one place where the modified mark, the caption and the Save and
    // Save As items change.
    void setModified(bool modified);
    // Loads the picture at path as the poster, kPosterWidth wide, and sets
    // the window's height after it. An empty path shows no poster. False
    // when the file is no picture or a size leaves the 16-bit range; nothing
    // changes then.
    bool showPoster(const QString &path);

    // Whether a mouse button went down on the poster and is not yet released.
    bool posterPressed() const { return m_posterPressed; }
    // Whether Ctrl+A selected the summary and its next character is swallowed.
    bool summarySelectedByKey() const { return m_summarySelectedByKey; }

    // Reads the card at cardPath into the editor, shown or not; the editor
    // keeps the card it showed when the file is missing or no card (false).
    bool loadCard(const QString &cardPath);
    // The summary as typed, each line break a "\n".
    QString summary() const;

    // The window's outer height as the layout computed it, in twips.
    int outerHeight() const { return m_outerHeight; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    friend class SingleWindow<EditorWindow>;
    EditorWindow();
    // The card's working folders go with the editor.
    ~EditorWindow() override;
    // Moves the year box and the running-time caption to the measured
    // widths of their captions; run once the captions are loaded.
    void placeControls();
    // Empties the editor for another card.
    void emptyEditor();
    CardValues shownValues() const;
    Card collectCard() const;
    void createControls(QWidget *form);
    void setCaptions();
    void createPosterPanel(QWidget *form);
    void fitCaptionColumn();
    void placeOnGrid();
    void buildMenus();
    void chainTabOrder();
    void connectHandlers();
    void connectMenus();
    void openMenuBar();
    void acceptDropsOnBoxes();
    bool dragOver(QWidget *target, QEvent *event);
    void takeDropped(const PosterSource &source, const QImage &pixels);
    void updatePasteItem();
    void setOuterHeight(int twips);
    void applyNumericRule(QLineEdit *box, NumberRule rule);
    bool onSummaryKey(const QKeyEvent *event);
    bool onPosterMouse(const QEvent *event);
    void clickPoster(Qt::MouseButton button, QPointF at);

    // Text boxes
    void markModified();
    void checkYear();
    void checkHours();
    void checkMinutes();
    void limitSummary();

    // Poster panel
    // A picture file as the new poster, chosen, dropped or pasted (then in
    // the working folder pasteFolder); false, and "Fichier image incorrect"
    // said, when it is no picture the editor shows.
    bool takePosterFile(const QString &path, const QString &pasteFolder = {});
    // Pixels alone become a JPEG in a working folder of their own, kept until
    // the editor is emptied or other pixels are taken, then a chosen poster.
    bool takePosterPixels(const QImage &pixels);
    void choosePoster();
    void removePoster();
    void showFullView();
    void pastePoster();
    void resetPoster();

    // File and About menus
    bool startNewCard();
    void openChosenCard();
    void openDroppedCard(const QString &path);
    void saveAs();
    void preview();
    void searchCard();

    // Documents
    void fillBoxes(const CardValues &values);
    void setSummaryWhole(const QString &text);
    bool save();
    bool savePromptAllows();
    bool titleGiven();
    void cardSaved();
    bool confirmClose();
    bool m_closing = false;
    QString m_newCardFolder;   // where a new card's save starts; empty: the documents folder

    qsizetype m_summaryRoom = fieldWidth(Field::Resume);   // the longest summary the box may hold now, stored
    int m_outerHeight = 0;                                 // twips
    PosterSource m_dragged;                                // what the drag under way brings
    bool m_centred = false;

    bool restoreOwnPoster();
    // The save dialog's path with a card extension; empty when cancelled.
    // The dialog starts in folder when given, else in the documents folder.
    QString chooseCardPath(const QString &proposed, const QString &folder = {});
    void previewCard();

    // Tells the user of a change made to the card's file by another program.
    void checkDisk();
    // Asks what becomes of another program's change: true when the user's
    // version replaced it; a reloaded card or Cancel give false.
    bool settleDiskChange();
    CardWatch *m_cardWatch = new CardWatch(this);

    OpenCard m_card;
    bool m_posterPressed = false;
    bool m_summarySelectedByKey = false;

    // Controls
    QLabel *m_titleCaption = nullptr, *m_yearCaption = nullptr, *m_runningTimeCaption = nullptr,
           *m_timeColon = nullptr;
    QLabel *m_genreCaption = nullptr, *m_directorCaption = nullptr, *m_actorsCaption = nullptr,
           *m_summaryCaption = nullptr;
    QLineEdit *m_titleEdit = nullptr, *m_yearEdit = nullptr, *m_hoursEdit = nullptr, *m_minutesEdit = nullptr;
    QLineEdit *m_genreEdit = nullptr, *m_directorEdit = nullptr;
    ActorList *m_actorsBox = nullptr;
    QPushButton *m_deleteActorButton = nullptr;
    QPlainTextEdit *m_summaryEdit = nullptr;
    QGroupBox *m_posterFrame = nullptr;
    QPushButton *m_changePosterButton = nullptr, *m_removePosterButton = nullptr;
    QLabel *m_posterLabel = nullptr;   // the poster, stretched to its size
    QPixmap m_poster;                  // the poster at its natural size

    // Menus
    QMenu *m_fileMenu = nullptr;
    QAction *m_newAction = nullptr, *m_openAction = nullptr, *m_saveAction = nullptr,
            *m_saveAsAction = nullptr;
    QAction *m_previewAction = nullptr, *m_searchAction = nullptr, *m_quitAction = nullptr;
    QMenu *m_posterMenu = nullptr;   // in the menu bar and the poster's pop-up menu
    QAction *m_fullViewAction = nullptr, *m_changePosterAction = nullptr, *m_pastePosterAction = nullptr,
            *m_removePosterAction = nullptr;
    QAction *m_resetPosterAction = nullptr;
    QAction *m_aboutAction = nullptr;
};
