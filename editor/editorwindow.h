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
class PosterPanel;
class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
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

    // The one place where the modified mark, the caption and the Save and
    // Save As items change.
    void setModified(bool modified);
    // Whether Ctrl+A selected the summary and its next character is swallowed.
    bool summarySelectedByKey() const { return m_summarySelectedByKey; }

    // Reads the card at cardPath into the editor, shown or not; the editor
    // keeps the card it showed when the file is missing or no card (false).
    bool loadCard(const QString &cardPath);
    // The summary as typed, each line break a "\n".
    QString summary() const;

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
    void fitCaptionColumn();
    void placeOnGrid();
    void buildMenus();
    void connectHandlers();
    void connectMenus();
    void openMenuBar();
    void acceptDropsOnBoxes();
    bool dragOver(QWidget *target, QEvent *event);
    void takeDropped(const PosterSource &source, const QImage &pixels);
    void setOuterHeight(int twips);
    void applyNumericRule(QLineEdit *box, NumberRule rule);
    bool onSummaryKey(const QKeyEvent *event);

    // Text boxes
    void markModified();
    void checkYear();
    void checkHours();
    void checkMinutes();
    void limitSummary();

    // What the poster panel tells
    void takePoster(const QString &path, const QString &pasteFolder);
    void removePoster();
    void resetPoster();

    // File and About menus
    bool startNewCard();
    void openChosenCard();
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
    PosterPanel *m_posterPanel = nullptr;

    // Menus
    QMenu *m_fileMenu = nullptr;
    QAction *m_newAction = nullptr, *m_openAction = nullptr, *m_saveAction = nullptr,
            *m_saveAsAction = nullptr;
    QAction *m_previewAction = nullptr, *m_searchAction = nullptr, *m_quitAction = nullptr;
    QAction *m_aboutAction = nullptr;
};
