#pragma once
// The card editor: one card as seven text boxes, the actor box and the
// poster panel, with the File, Affiche and About menus.

#include "app/messages.h"
#include "card/cardrecord.h"
#include "card/cardsave.h"
#include "editor/opencard.h"
#include "poster/posterpaste.h"

#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QPlainTextEdit;
class QPushButton;

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    // The single editor, created (not shown) on first use.
    static EditorWindow &instance();
    // Whether the editor exists, without creating it.
    static bool exists();
    // Deletes the editor, so that the next use creates a fresh one (tests).
    static void discard();

    // Shows the editor on the new card it starts with.
    void newCard();
    // Reads the card at path into the editor and shows it; false, the
    // editor not shown, when the file is missing or no card.
    bool openCard(const QString &path);

    // The card open in the editor.
    const OpenCard &card() const { return m_card; }
    // Puts another card's state in place, as its load would (tests).
    void setCard(const OpenCard &card) { m_card = card; }
    // The poster at its natural size; null when there is none.
    QPixmap poster() const { return picAffiche; }

    // The one place where the modified mark, the caption and the Save and
    // Save As items change.
    void ChangeEdit(bool Modified);
    // Moves the year box and the running-time caption to the measured
    // widths of their captions; run once the captions are loaded.
    void PlaceControls();
    // Loads the picture at strImage as the poster, kPosterWidth wide, and sets
    // the window's height after it. An empty path shows no poster. False
    // when the file is no picture or a size leaves the 16-bit range; nothing
    // changes then.
    bool Pic2Img(const QString &strImage);

    // The actor box: empty it (list, edit field, lock), deselect it (no
    // entry picked), add a name at the end (false when the list is full),
    // and the names in list order. A full list is locked: it takes no
    // typing until a name is picked.
    void emptyActors();
    void deselectActors();
    bool addActorName(const QString &name);
    QStringList actorNames() const;
    bool actorsLocked() const { return m_actorsLocked; }

    // Whether a mouse button went down on the poster and is not yet released.
    bool posterPressed() const { return m_posterPressed; }
    // Whether Ctrl+A selected the summary and its next character is swallowed.
    bool summarySelectedByKey() const { return m_summarySelectedByKey; }

    // The card's documents. OpenInEditor reads cardPath into the editor, which
    // keeps the card it showed when the file is missing or no card (false).
    bool OpenInEditor(const QString &cardPath);
    // Empties the editor for another card.
    void emptyEditor();
    // Removes the working folders of the card (its poster copy, a pasted
    // poster), as the editor closes.
    void removeWorkFolders();
    CardRecord CollectRecord() const;
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
    EditorWindow();
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
    bool txtResumeKey(QKeyEvent *event);
    bool cboActeursKey(QKeyEvent *event);
    bool imgAfficheMouse(QEvent *event);
    void clearActorEdit();
    bool actorFits(const QString &name, int index) const;
    std::optional<int> pickedActor() const;
    // Shift 1, Ctrl 2, Alt 4, added
    static int shiftBits(Qt::KeyboardModifiers modifiers);
    void lockIfFull();

    // Text boxes
    void txtTitre_Change();
    void txtAnnee_Change();
    void txtDuree1_Change();
    void txtDuree2_Change();
    void txtType_Change();
    void txtRealisateur_Change();
    void txtResume_Change();
    void txtResume_KeyDown(int &KeyCode, int Shift);
    void txtResume_KeyPress(int &KeyAscii);

    // Actor box
    void cboActeurs_KeyPress(int &KeyAscii);
    void cboActeurs_Change();
    void cboActeurs_Click(int index);
    void cmdActSupp_Click();

    // Poster panel
    // A picture file as the new poster, chosen, dropped or pasted; false, and
    // "Fichier image incorrect" said, when it is no picture the editor shows.
    bool takePosterFile(const QString &path);
    // Pixels alone become a JPEG in a working folder of their own, kept until
    // the editor is emptied or other pixels are taken, then a chosen poster.
    bool takePosterPixels(const QImage &pixels);
    void cmdAffiMod_Click();
    void cmdAffiSupp_Click();
    void imgAffiche_MouseDown(int Button, int Shift, double X, double Y);
    void imgAffiche_MouseUp(int Button, int Shift, double X, double Y);
    void mnuPopFull_Click();
    void mnuPopModif_Click();
    void mnuPopPaste_Click();
    void mnuPopRem_Click();
    void mnuPopReset_Click();

    // File and About menus
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void openDroppedCard(const QString &path);
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFilePrev_Click();
    void mnuFileSearch_Click();
    void mnuFileExit_Click();
    void mnuAbout_Click();

    // Documents
    void FillEditor(const CardRecord &record);
    void setSummaryWhole(const QString &text);
    void FillActorList(const QString &acteurs);
    void KeepPosterCopy(const QString &folder);
    bool Save();
    bool savePromptAllows();
    bool titleGiven();
    QString posterForPreview() const;
    void cardSaved();
    void Form_QueryUnload(bool &Cancel);
    bool m_closing = false;

    qsizetype m_resumeRoom = CardWidth::Resume;   // the longest summary the box may hold now, stored
    int m_outerHeight = 0;                        // twips
    QString m_pasteFolder;                        // holds the pasted poster, WorkFile::Pasted
    PosterSource m_dragged;                       // what the drag under way brings
    bool m_centred = false;

    bool ResetPoster();
    QString JoinActors() const;
    // The save dialog's path with a card extension; empty when cancelled.
    // The dialog starts in folder when given, else in the documents folder.
    QString ChooseCardFileName(const QString &proposed, const QString &folder = {});
    // The writing routines report their own failures; empty or false then.
    QString SaveNewCard();
    QString SaveCardAs();
    bool RewriteCard(const QString &cardPath);
    bool RewriteRecord(const QString &cardPath);
    void PreviewCard();

    OpenCard m_card;
    bool m_actorsLocked = false;
    bool m_posterPressed = false;
    bool m_summarySelectedByKey = false;

    // Controls
    QLabel *lblTitre = nullptr, *lblAnnee = nullptr, *lblDuree1 = nullptr, *lblDuree2 = nullptr;
    QLabel *lblType = nullptr, *lblRealisateur = nullptr, *lblActeurs = nullptr, *lblResume = nullptr;
    QLineEdit *txtTitre = nullptr, *txtAnnee = nullptr, *txtDuree1 = nullptr, *txtDuree2 = nullptr;
    QLineEdit *txtType = nullptr, *txtRealisateur = nullptr;
    QComboBox *cboActeurs = nullptr;
    QPushButton *cmdActSupp = nullptr;
    QPlainTextEdit *txtResume = nullptr;
    QGroupBox *fraAffiche = nullptr;
    QPushButton *cmdAffiMod = nullptr, *cmdAffiSupp = nullptr;
    QLabel *imgAffiche = nullptr;   // the poster, stretched to its size
    QPixmap picAffiche;             // the poster at its natural size

    // Menus
    QMenu *mnuFile = nullptr;
    QAction *mnuFileNew = nullptr, *mnuFileOpen = nullptr, *mnuFileSave = nullptr, *mnuFileSaveAs = nullptr;
    QAction *mnuFilePrev = nullptr, *mnuFileSearch = nullptr, *mnuFileExit = nullptr;
    QMenu *mnuPopAffi = nullptr;   // in the menu bar and the poster's pop-up menu
    QAction *mnuPopFull = nullptr, *mnuPopModif = nullptr, *mnuPopPaste = nullptr, *mnuPopRem = nullptr;
    QAction *mnuPopReset = nullptr;
    QAction *mnuAbout = nullptr;
};
