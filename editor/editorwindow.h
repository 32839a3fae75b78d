#pragma once
// The card editor: one card as seven text boxes, the actor box and the
// poster panel, with the File, Affiche and About menus. The card itself is
// OpenCard's: the window asks it to read, write and look at the card's
// file, and puts its answers to the user.

#include "card/cardwatch.h"
#include "desktop/singlewindow.h"
#include "editor/opencard.h"
#include "poster/posterpaste.h"

#include <QMainWindow>
#include <QString>

class ActorList;
class PosterPanel;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class SummaryEdit;

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

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend class SingleWindow<EditorWindow>;
    EditorWindow();
    // The card's working folders go with the editor.
    ~EditorWindow() override;

    // Construction and layout (editorwindow.cpp, _layout, _captions, _commands)
    void createControls(QWidget *form);
    void setCaptions();
    void placeOnGrid();
    // Moves the year box and the running-time caption to the measured
    // widths of their captions; run once the captions are loaded.
    void placeControls();
    void fitCaptionColumn();
    void setOuterHeight(int twips);
    void buildMenus();
    void connectHandlers();
    void connectMenus();
    void openMenuBar();
    void searchCard();
    // The one place where the modified mark, the caption and the Save and
    // Save As items change.
    void setModified(bool modified);

    // What the poster panel tells (_poster)
    void takePoster(const QString &path, const QString &pasteFolder);
    void removePoster();
    void resetPoster();

    // Cards and pictures dropped on the editor (_drops)
    void acceptDropsOnBoxes();
    // True when the editor took the event.
    bool dragOver(QWidget *target, QEvent *event);
    void takeDropped(const PosterSource &source, const QImage &pixels);

    // Opening and emptying (_load, _documents)
    bool startNewCard();
    void openChosenCard();
    // Reads the card at cardPath into the editor, shown or not; the editor
    // keeps the card it showed when the file is missing or no card (false).
    bool loadCard(const QString &cardPath);
    void emptyEditor();
    void fillBoxes(const CardValues &values);
    // Asks about unsaved changes: true when the command may go on.
    bool savePromptAllows();
    bool confirmClose();

    // Saving (_save, _documents)
    bool save();
    void saveAs();
    void preview();
    bool titleGiven();
    // What every successful save leaves: the card is its file, unmodified.
    void cardSaved();
    CardValues shownValues() const;
    Card collectCard() const;
    // The save dialog's path with a card extension; empty when cancelled.
    // The dialog starts in folder when given, else in the documents folder.
    QString chooseCardPath(const QString &proposed, const QString &folder = {});

    // The card's file changed on disk by another program (_disk)
    void checkDisk();
    // Asks what becomes of another program's change: true when the user's
    // version replaced it; a reloaded card or Cancel give false.
    bool settleDiskChange();

    OpenCard m_card;
    CardWatch *m_cardWatch = new CardWatch(this);
    QString m_newCardFolder;   // where a new card's save starts; empty: the documents folder
    int m_outerHeight = 0;     // twips
    PosterSource m_dragged;    // what the drag under way brings
    bool m_closing = false;
    bool m_centred = false;

    // Controls
    QLabel *m_titleCaption = nullptr, *m_yearCaption = nullptr, *m_runningTimeCaption = nullptr,
           *m_timeColon = nullptr;
    QLabel *m_genreCaption = nullptr, *m_directorCaption = nullptr, *m_actorsCaption = nullptr,
           *m_summaryCaption = nullptr;
    QLineEdit *m_titleEdit = nullptr, *m_yearEdit = nullptr, *m_hoursEdit = nullptr, *m_minutesEdit = nullptr;
    QLineEdit *m_genreEdit = nullptr, *m_directorEdit = nullptr;
    ActorList *m_actorsBox = nullptr;
    SummaryEdit *m_summaryEdit = nullptr;
    PosterPanel *m_posterPanel = nullptr;
    QPushButton *m_deleteActorButton = nullptr;

    // Menus
    QMenu *m_fileMenu = nullptr;
    QAction *m_newAction = nullptr, *m_openAction = nullptr, *m_saveAction = nullptr,
            *m_saveAsAction = nullptr;
    QAction *m_previewAction = nullptr, *m_searchAction = nullptr, *m_quitAction = nullptr;
    QAction *m_aboutAction = nullptr;
};
