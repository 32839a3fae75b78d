#include "about/aboutwindow.h"

#include "desktop/desktop.h"
#include "desktop/messages.h"
#include "texts/texts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

// Highlighted: underlined and blue; plain: black. Before the first hover a
// link keeps the desktop's own text colour.
void setLinkLook(QLabel *link, bool highlighted)
{
    QFont font = link->font();
    font.setUnderline(highlighted);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, highlighted ? QColor(0, 0, 255) : QColor(0, 0, 0));
    link->setPalette(palette);
}

// Enter or Space on a link that has the focus opens it, as a click does.
bool isKeyOpening(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

bool isClick(QWidget *widget, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    return mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint());
}

}   // namespace

// The links are plain-text labels, so their look is entirely the program's.
bool AboutWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The author line touches the top of the web link, with no background
    // between: moving onto it leaves the link.
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_webLink || watched == m_databaseLink)
            setLinkLook(static_cast<QLabel *>(watched), true);
        else if (watched == m_authorLabel)
            setLinkLook(m_webLink, false);
        return true;
    }
    if (watched == m_webLink && (isClick(m_webLink, event) || isKeyOpening(event))) {
        openWebSite();
        return true;
    }
    if (watched == m_databaseLink && (isClick(m_databaseLink, event) || isKeyOpening(event))) {
        openDatabase();
        return true;
    }
    if ((watched == m_webLink || watched == m_databaseLink)
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        setLinkLook(static_cast<QLabel *>(watched), event->type() == QEvent::FocusIn);
        return false;
    }
    return QDialog::eventFilter(watched, event);
}

// Reached only over the window's background: the labels that react to the
// mouse take their own moves, the other controls ignore them.
void AboutWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        plainLinks();
    QDialog::mouseMoveEvent(event);
}

void AboutWindow::plainLinks()
{
    setLinkLook(m_webLink, false);
    setLinkLook(m_databaseLink, false);
}

void AboutWindow::openWebSite()
{
    openAddress(QUrl(m_webLink->text(), QUrl::StrictMode));
}

void AboutWindow::openDatabase()
{
    openAddress(QUrl(m_databaseLink->text(), QUrl::StrictMode));
}

void AboutWindow::mailProgrammer()
{
    openAddress(programmerMail(m_titleLabel->text()));
}

// A failure is told once; the window stays open.
void AboutWindow::openAddress(const QUrl &address)
{
    if (!desktop().openExternal(address))
        showOpenFailed();
}
