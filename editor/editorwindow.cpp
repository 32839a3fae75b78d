#include "editor/editorwindow.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/frames.h"
#include "app/messages.h"
#include "app/texts.h"
#include "card/cardfields.h"
#include "card/numerictext.h"
#include "editor/actorlist.h"
#include "editor/editorlayout.h"
#include "editor/posterpanel.h"
#include "editor/typinglimit.h"

#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolTip>

namespace {

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
    setOuterHeight(EditorLayout::InnerHeight + Frame::WindowHeight + Frame::MenuBarHeight);
    connectHandlers();
    setCaptions();
}

EditorWindow::~EditorWindow()
{
    m_card.removeWorkFolders();
}

void EditorWindow::createControls(QWidget *form)
{
    m_titleCaption = named(new QLabel(form), "titleCaption");
    m_titleEdit = textBox(form, "titleEdit", typedLength(Field::Titre));
    m_yearCaption = named(new QLabel(form), "yearCaption");
    m_yearEdit = textBox(form, "yearEdit", typedLength(Field::Annee));
    m_runningTimeCaption = named(new QLabel(form), "runningTimeCaption");
    m_hoursEdit = textBox(form, "hoursEdit", typedLength(Field::Heures));
    m_timeColon = named(new QLabel(QStringLiteral(":"), form), "timeColon");
    m_minutesEdit = textBox(form, "minutesEdit", typedLength(Field::Minutes));
    m_genreCaption = named(new QLabel(form), "genreCaption");
    m_genreEdit = textBox(form, "genreEdit", typedLength(Field::Type));
    m_directorCaption = named(new QLabel(form), "directorCaption");
    m_directorEdit = textBox(form, "directorEdit", typedLength(Field::Realisateur));
    m_actorsCaption = named(new QLabel(form), "actorsCaption");
    m_actorsBox = named(new ActorList(form), "actorsBox");
    m_summaryCaption = named(new QLabel(form), "summaryCaption");
    m_summaryEdit = named(new QPlainTextEdit(form), "summaryEdit");
    m_summaryEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_summaryEdit->setTabChangesFocus(true);
    m_posterPanel = named(new PosterPanel(form), "posterPanel");
    // Last, after the poster's buttons, as Tab goes: the controls take their
    // tab order from their creation.
    m_deleteActorButton = named(new QPushButton(form), "deleteActorButton");
    m_deleteActorButton->setIcon(QIcon(QStringLiteral(":/cinefiche/actsupp.png")));
    m_deleteActorButton->setEnabled(false);
    // Screen readers name each box after its caption.
    const std::pair<QLabel *, QWidget *> captions[] = { { m_titleCaption, m_titleEdit },
        { m_yearCaption, m_yearEdit }, { m_runningTimeCaption, m_hoursEdit }, { m_genreCaption, m_genreEdit },
        { m_directorCaption, m_directorEdit }, { m_actorsCaption, m_actorsBox },
        { m_summaryCaption, m_summaryEdit } };
    for (const auto &[caption, box] : captions)
        caption->setBuddy(box);
}

void EditorWindow::connectHandlers()
{
    connect(m_titleEdit, &QLineEdit::textChanged, this, &EditorWindow::markModified);
    connect(m_yearEdit, &QLineEdit::textChanged, this, &EditorWindow::checkYear);
    connect(m_hoursEdit, &QLineEdit::textChanged, this, &EditorWindow::checkHours);
    connect(m_minutesEdit, &QLineEdit::textChanged, this, &EditorWindow::checkMinutes);
    connect(m_genreEdit, &QLineEdit::textChanged, this, &EditorWindow::markModified);
    connect(m_directorEdit, &QLineEdit::textChanged, this, &EditorWindow::markModified);
    connect(m_summaryEdit, &QPlainTextEdit::textChanged, this, &EditorWindow::limitSummary);
    connect(m_actorsBox, &ActorList::changed, this, &EditorWindow::markModified);
    connect(m_actorsBox, &ActorList::picked, m_deleteActorButton, &QPushButton::setEnabled);
    connect(m_deleteActorButton, &QPushButton::clicked, m_actorsBox, &ActorList::deletePicked);
    connect(m_posterPanel, &PosterPanel::taken, this, &EditorWindow::takePoster);
    connect(m_posterPanel, &PosterPanel::removed, this, &EditorWindow::removePoster);
    connect(m_posterPanel, &PosterPanel::resetAsked, this, &EditorWindow::resetPoster);
    connect(m_posterPanel, &PosterPanel::outerHeightNeeded, this, &EditorWindow::setOuterHeight);
    connectMenus();
    acceptDropsOnBoxes();
    connect(m_cardWatch, &CardWatch::touched, this, &EditorWindow::checkDisk);
    m_summaryEdit->installEventFilter(this);
}

void EditorWindow::setModified(bool modified)
{
    m_card.setModified(modified);
    QString caption = kAppTitle + QStringLiteral(" [") + m_card.file().name;
    // A read-only file is not written over; Save As remains the way out.
    m_saveAction->setEnabled(m_card.canSave());
    if (modified) {
        if (m_card.hasFile())
            m_saveAsAction->setEnabled(true);
        caption += QStringLiteral("*]");
    } else {
        m_saveAsAction->setEnabled(false);
        caption += QStringLiteral("]");
    }
    setWindowTitle(plainCaption(caption));
}

void EditorWindow::markModified()
{
    setModified(true);
}

void EditorWindow::checkYear()
{
    applyNumericRule(m_yearEdit, NumberRule::Year);
}

void EditorWindow::checkHours()
{
    applyNumericRule(m_hoursEdit, NumberRule::RunningTime);
}

void EditorWindow::checkMinutes()
{
    applyNumericRule(m_minutesEdit, NumberRule::RunningTime);
}

// One character goes per message: the shorter text runs this rule again,
// until what remains is empty or a number.
void EditorWindow::applyNumericRule(QLineEdit *box, NumberRule rule)
{
    const QString text = box->text();
    if (text.isEmpty() || IsNumericText(text)) {
        setModified(true);
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
    QString text = m_summaryEdit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.replace(QChar::LineSeparator, QLatin1Char('\n'));
}

void EditorWindow::setSummaryWhole(const QString &text)
{
    m_summaryRoom = std::max<qsizetype>(fieldWidth(Field::Resume), summaryStoredLength(text));
    m_summaryEdit->setPlainText(text);
}

// The summary has no length limit of its own: what goes past the room its
// field has (a line break takes two characters there) is taken back from
// the characters just inserted, before the caret.
void EditorWindow::limitSummary()
{
    qsizetype excess = summaryStoredLength(summary()) - m_summaryRoom;
    if (excess > 0) {
        QTextCursor cursor = m_summaryEdit->textCursor();
        cursor.clearSelection();
        if (cursor.position() < excess)
            cursor.movePosition(QTextCursor::End);
        while (excess > 0 && cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor))
            excess -= cursor.selectedText().front() == QChar::ParagraphSeparator ? 2 : 1;
        cursor.removeSelectedText();
        return;   // the removal is a change of its own
    }
    m_summaryRoom = std::max<qsizetype>(fieldWidth(Field::Resume), summaryStoredLength(summary()));
    setModified(true);
}

namespace {

// Ctrl alone among Shift, Ctrl and Alt.
bool ctrlAlone(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
}

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

// Ctrl+A selects the whole summary, and the character it types is swallowed.
// True when the key is taken.
bool EditorWindow::onSummaryKey(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_A && ctrlAlone(event->modifiers())) {
        m_summaryEdit->selectAll();
        m_summarySelectedByKey = true;
    }
    if (characterOf(event) == 0 || !m_summarySelectedByKey)
        return false;
    m_summarySelectedByKey = false;
    return true;
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove
        || event->type() == QEvent::Drop)
        return dragOver(static_cast<QWidget *>(watched), event);
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_summaryEdit)
            return onSummaryKey(key);
    }
    return QMainWindow::eventFilter(watched, event);
}
