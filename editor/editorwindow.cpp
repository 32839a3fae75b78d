#include "editor/editorwindow.h"

#include "app/desktop.h"
#include "app/frames.h"
#include "app/messages.h"
#include "app/texts.h"
#include "card/cardfields.h"
#include "card/numerictext.h"
#include "editor/editorlayout.h"
#include "editor/posterframe.h"
#include "editor/typinglimit.h"
#include "viewer/posterwindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>

namespace {

EditorWindow *g_editor = nullptr;

// Small captions in a face with the metrics the twip grid was drawn for;
// the desktop's default face runs the captions into their boxes. A desktop
// with none of those faces gets a condensed one.
QFont formFont()
{
    QFont font;
    font.setFamilies({ QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
        QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
        QStringLiteral("DejaVu Sans Condensed") });
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
    return font;
}

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit *textBox(QWidget *form, const char *name, int maxLength)
{
    auto *box = named(new QLineEdit(form), name);
    TypingLimit::apply(box, maxLength);
    return box;
}

}   // namespace

EditorWindow &EditorWindow::instance()
{
    if (!g_editor)
        g_editor = new EditorWindow;
    return *g_editor;
}

bool EditorWindow::exists()
{
    return g_editor != nullptr;
}

void EditorWindow::discard()
{
    delete g_editor;
    g_editor = nullptr;
}

EditorWindow::EditorWindow()
    : QMainWindow(nullptr,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("EditorWindow"));
    auto *form = new QWidget(this);
    form->setFont(formFont());
    setCentralWidget(form);
    createControls(form);
    buildMenus();
    placeOnGrid();
    chainTabOrder();
    setOuterHeight(EditorLayout::InnerHeight + Frame::WindowHeight + Frame::MenuBarHeight);
    connectHandlers();
    setCaptions();
    QPointer<EditorWindow> self(this);
    PosterWindow::setPosterSource(
        QStringLiteral("EditorWindow"), [self] { return self ? self->picAffiche : QPixmap(); });
}

void EditorWindow::createControls(QWidget *form)
{
    lblTitre = named(new QLabel(form), "lblTitre");
    txtTitre = textBox(form, "txtTitre", CardWidth::Titre);
    lblAnnee = named(new QLabel(form), "lblAnnee");
    txtAnnee = textBox(form, "txtAnnee", CardWidth::Annee);
    lblDuree1 = named(new QLabel(form), "lblDuree1");
    txtDuree1 = textBox(form, "txtDuree1", 1);   // one digit; the field keeps a blank before it
    lblDuree2 = named(new QLabel(QStringLiteral(":"), form), "lblDuree2");
    txtDuree2 = textBox(form, "txtDuree2", CardWidth::DureeM);
    lblType = named(new QLabel(form), "lblType");
    txtType = textBox(form, "txtType", CardWidth::Type);
    lblRealisateur = named(new QLabel(form), "lblRealisateur");
    txtRealisateur = textBox(form, "txtRealisateur", CardWidth::Realisateur);
    lblActeurs = named(new QLabel(form), "lblActeurs");
    cboActeurs = named(new QComboBox(form), "cboActeurs");
    cboActeurs->setEditable(true);
    cboActeurs->setInsertPolicy(QComboBox::NoInsert);   // Enter is the actor box's own
    cboActeurs->setCompleter(nullptr);
    TypingLimit::apply(cboActeurs->lineEdit(), CardActors::NameLength);
    cmdActSupp = named(new QPushButton(form), "cmdActSupp");
    cmdActSupp->setIcon(QIcon(QStringLiteral(":/cinefiche/actsupp.png")));
    cmdActSupp->setEnabled(false);
    lblResume = named(new QLabel(form), "lblResume");
    txtResume = named(new QPlainTextEdit(form), "txtResume");
    txtResume->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtResume->setTabChangesFocus(true);
    createPosterPanel(form);
    // Screen readers name each box after its caption.
    const std::pair<QLabel *, QWidget *> captions[]
        = { { lblTitre, txtTitre }, { lblAnnee, txtAnnee }, { lblDuree1, txtDuree1 }, { lblType, txtType },
              { lblRealisateur, txtRealisateur }, { lblActeurs, cboActeurs }, { lblResume, txtResume } };
    for (const auto &[caption, box] : captions)
        caption->setBuddy(box);
}

// The frame with its two buttons, and the poster under it.
void EditorWindow::createPosterPanel(QWidget *form)
{
    fraAffiche = named(new PosterFrame(form), "fraAffiche");
    cmdAffiMod = named(new QPushButton(fraAffiche), "cmdAffiMod");
    cmdAffiSupp = named(new QPushButton(fraAffiche), "cmdAffiSupp");
    imgAffiche = named(new QLabel(form), "imgAffiche");
    imgAffiche->setScaledContents(true);
    imgAffiche->setCursor(Qt::PointingHandCursor);
    imgAffiche->setFocusPolicy(Qt::ClickFocus);   // Ctrl+V on the poster pastes one
}

void EditorWindow::connectHandlers()
{
    connect(txtTitre, &QLineEdit::textChanged, this, &EditorWindow::txtTitre_Change);
    connect(txtAnnee, &QLineEdit::textChanged, this, &EditorWindow::txtAnnee_Change);
    connect(txtDuree1, &QLineEdit::textChanged, this, &EditorWindow::txtDuree1_Change);
    connect(txtDuree2, &QLineEdit::textChanged, this, &EditorWindow::txtDuree2_Change);
    connect(txtType, &QLineEdit::textChanged, this, &EditorWindow::txtType_Change);
    connect(txtRealisateur, &QLineEdit::textChanged, this, &EditorWindow::txtRealisateur_Change);
    connect(txtResume, &QPlainTextEdit::textChanged, this, &EditorWindow::txtResume_Change);
    connect(cboActeurs, &QComboBox::editTextChanged, this, &EditorWindow::cboActeurs_Change);
    connect(cboActeurs, &QComboBox::activated, this, &EditorWindow::cboActeurs_Click);
    connect(cmdActSupp, &QPushButton::clicked, this, &EditorWindow::cmdActSupp_Click);
    connect(cmdAffiMod, &QPushButton::clicked, this, &EditorWindow::cmdAffiMod_Click);
    connect(cmdAffiSupp, &QPushButton::clicked, this, &EditorWindow::cmdAffiSupp_Click);
    connectMenus();
    acceptDropsOnBoxes();
    for (QObject *watched : { static_cast<QObject *>(txtResume), static_cast<QObject *>(cboActeurs),
             static_cast<QObject *>(cboActeurs->lineEdit()), static_cast<QObject *>(imgAffiche) })
        watched->installEventFilter(this);
}

void EditorWindow::ChangeEdit(bool Modified)
{
    m_card.setModified(Modified);
    QString caption = kAppTitle + QStringLiteral(" [") + m_card.file().name;
    // A read-only file is not written over; Save As remains the way out.
    mnuFileSave->setEnabled(m_card.canSave());
    if (Modified) {
        if (m_card.hasFile())
            mnuFileSaveAs->setEnabled(true);
        caption += QStringLiteral("*]");
    } else {
        mnuFileSaveAs->setEnabled(false);
        caption += QStringLiteral("]");
    }
    setWindowTitle(caption);
}

void EditorWindow::txtTitre_Change()
{
    ChangeEdit(true);
}

void EditorWindow::txtType_Change()
{
    ChangeEdit(true);
}

void EditorWindow::txtRealisateur_Change()
{
    ChangeEdit(true);
}

void EditorWindow::txtAnnee_Change()
{
    applyNumericRule(txtAnnee, NumberRule::Year);
}

void EditorWindow::txtDuree1_Change()
{
    applyNumericRule(txtDuree1, NumberRule::RunningTime);
}

void EditorWindow::txtDuree2_Change()
{
    applyNumericRule(txtDuree2, NumberRule::RunningTime);
}

// One character goes per message: the shorter text runs this rule again,
// until what remains is empty or a number.
void EditorWindow::applyNumericRule(QLineEdit *box, NumberRule rule)
{
    const QString text = box->text();
    if (text.isEmpty() || IsNumericText(text)) {
        ChangeEdit(true);
        return;
    }
    showNotNumber(rule);
    const bool pair = text.size() > 1 && text.back().isLowSurrogate();
    box->setText(text.chopped(pair ? 2 : 1));
    box->setCursorPosition(box->text().size());
}

QString EditorWindow::summary() const
{
    // The raw text keeps no-break spaces, which the plain text turns into blanks.
    QString text = txtResume->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.replace(QChar::LineSeparator, QLatin1Char('\n'));
}

void EditorWindow::setSummaryWhole(const QString &text)
{
    m_resumeRoom = std::max<qsizetype>(CardWidth::Resume, summaryStoredLength(text));
    txtResume->setPlainText(text);
}

// The summary has no length limit of its own: what goes past the room its
// field has (a line break takes two characters there) is taken back from
// the characters just inserted, before the caret.
void EditorWindow::txtResume_Change()
{
    qsizetype excess = summaryStoredLength(summary()) - m_resumeRoom;
    if (excess > 0) {
        QTextCursor cursor = txtResume->textCursor();
        cursor.clearSelection();
        if (cursor.position() < excess)
            cursor.movePosition(QTextCursor::End);
        while (excess > 0 && cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor))
            excess -= cursor.selectedText().front() == QChar::ParagraphSeparator ? 2 : 1;
        cursor.removeSelectedText();
        return;   // the removal is a change of its own
    }
    m_resumeRoom = std::max<qsizetype>(CardWidth::Resume, summaryStoredLength(summary()));
    ChangeEdit(true);
}

void EditorWindow::txtResume_KeyDown(int &KeyCode, int Shift)
{
    if (KeyCode == Qt::Key_A && Shift == 2) {
        txtResume->selectAll();
        m_summarySelectedByKey = true;
    }
}

void EditorWindow::txtResume_KeyPress(int &KeyAscii)
{
    if (m_summarySelectedByKey) {
        m_summarySelectedByKey = false;
        KeyAscii = 0;
    }
}

int EditorWindow::shiftBits(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

namespace {

// The character a keystroke types; Ctrl with a letter types its control
// code even where the event carries no text. 0 for a key without one.
int characterOf(const QKeyEvent *event)
{
    if (!event->text().isEmpty())
        return event->text().at(0).unicode();
    if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return event->key() - Qt::Key_A + 1;
    return 0;
}

}   // namespace

bool EditorWindow::txtResumeKey(QKeyEvent *event)
{
    int code = event->key();
    txtResume_KeyDown(code, shiftBits(event->modifiers()));
    int character = characterOf(event);
    if (character == 0)
        return false;
    txtResume_KeyPress(character);
    return character == 0;
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove
        || event->type() == QEvent::Drop)
        return dragOver(static_cast<QWidget *>(watched), event);
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == txtResume)
            return txtResumeKey(key);
        if (watched == cboActeurs || watched == cboActeurs->lineEdit())
            return cboActeursKey(key);
    }
    if (watched == imgAffiche)
        return imgAfficheMouse(event);
    return QMainWindow::eventFilter(watched, event);
}
