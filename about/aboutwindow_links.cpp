#include "about/aboutwindow.h"

#include "app/desktop.h"
#include "app/messages.h"
#include "app/texts.h"

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
    if (event->type() == QEvent::MouseMove) {
        if (watched == lblWeb)
            lblWeb_MouseMove();
        else if (watched == lblcfhdb)
            lblcfhdb_MouseMove();
        else if (watched == lblAuthor)
            lblAuthor_MouseMove();
        return true;
    }
    if (watched == lblWeb && (isClick(lblWeb, event) || isKeyOpening(event))) {
        lblWeb_Click();
        return true;
    }
    if (watched == lblcfhdb && (isClick(lblcfhdb, event) || isKeyOpening(event))) {
        lblcfhdb_Click();
        return true;
    }
    if ((watched == lblWeb || watched == lblcfhdb)
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
        Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

void AboutWindow::Form_MouseMove()
{
    setLinkLook(lblWeb, false);
    setLinkLook(lblcfhdb, false);
}

// The author line touches the top of lblWeb, with no background between.
void AboutWindow::lblAuthor_MouseMove()
{
    setLinkLook(lblWeb, false);
}

void AboutWindow::lblWeb_MouseMove()
{
    setLinkLook(lblWeb, true);
}

void AboutWindow::lblcfhdb_MouseMove()
{
    setLinkLook(lblcfhdb, true);
}

void AboutWindow::lblWeb_Click()
{
    openAddress(QUrl(lblWeb->text(), QUrl::StrictMode));
}

void AboutWindow::lblcfhdb_Click()
{
    openAddress(QUrl(lblcfhdb->text(), QUrl::StrictMode));
}

void AboutWindow::cmdMail_Click()
{
    openAddress(programmerMail(lblTitle->text()));
}

// A failure is told once; the window stays open.
void AboutWindow::openAddress(const QUrl &address)
{
    if (!desktop().openExternal(address))
        showOpenFailed();
}
