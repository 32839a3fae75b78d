#include "editor/editorwindow.h"

#include "card/cardfields.h"
#include "desktop/desktop.h"
#include "desktop/messages.h"
#include "editor/actorlist.h"
#include "editor/editorlayout.h"
#include "editor/numberbox.h"
#include "editor/posterpanel.h"
#include "editor/summaryedit.h"
#include "editor/typinglimit.h"
#include "layout/frames.h"
#include "texts/plaintext.h"
#include "texts/texts.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

QLineEdit *textBox(QWidget *form, const char *name, Field field)
{
    auto *box = named(new QLineEdit(form), name);
    TypingLimit::apply(box, typedLength(field));
    if (field == Field::Annee)
        keepNumeric(box, NumberRule::Year);
    else if (field == Field::Heures || field == Field::Minutes)
        keepNumeric(box, NumberRule::RunningTime);
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
    m_titleEdit = textBox(form, "titleEdit", Field::Titre);
    m_yearCaption = named(new QLabel(form), "yearCaption");
    m_yearEdit = textBox(form, "yearEdit", Field::Annee);
    m_runningTimeCaption = named(new QLabel(form), "runningTimeCaption");
    m_hoursEdit = textBox(form, "hoursEdit", Field::Heures);
    m_timeColon = named(new QLabel(QStringLiteral(":"), form), "timeColon");
    m_minutesEdit = textBox(form, "minutesEdit", Field::Minutes);
    m_genreCaption = named(new QLabel(form), "genreCaption");
    m_genreEdit = textBox(form, "genreEdit", Field::Type);
    m_directorCaption = named(new QLabel(form), "directorCaption");
    m_directorEdit = textBox(form, "directorEdit", Field::Realisateur);
    m_actorsCaption = named(new QLabel(form), "actorsCaption");
    m_actorsBox = named(new ActorList(form), "actorsBox");
    m_summaryCaption = named(new QLabel(form), "summaryCaption");
    m_summaryEdit = named(new SummaryEdit(form), "summaryEdit");
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
    const auto markModified = [this] { setModified(true); };
    for (QLineEdit *box :
        { m_titleEdit, m_yearEdit, m_hoursEdit, m_minutesEdit, m_genreEdit, m_directorEdit })
        connect(box, &QLineEdit::textChanged, this, markModified);
    connect(m_summaryEdit, &SummaryEdit::edited, this, markModified);
    connect(m_actorsBox, &ActorList::changed, this, markModified);
    connect(m_actorsBox, &ActorList::picked, m_deleteActorButton, &QPushButton::setEnabled);
    connect(m_deleteActorButton, &QPushButton::clicked, m_actorsBox, &ActorList::deletePicked);
    connect(m_posterPanel, &PosterPanel::taken, this, &EditorWindow::takePoster);
    connect(m_posterPanel, &PosterPanel::removed, this, &EditorWindow::removePoster);
    connect(m_posterPanel, &PosterPanel::resetAsked, this, &EditorWindow::resetPoster);
    connect(m_posterPanel, &PosterPanel::outerHeightNeeded, this, &EditorWindow::setOuterHeight);
    connect(m_cardWatch, &CardWatch::touched, this, &EditorWindow::checkDisk);
    connectMenus();
    acceptDropsOnBoxes();
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
