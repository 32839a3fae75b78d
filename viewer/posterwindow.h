#pragma once
// The poster at its natural size in a borderless modal window, 25 twips of
// margin on every side; a click on the picture or Esc closes it.

#include <QDialog>
#include <QPixmap>
#include <functional>

class QLabel;

class PosterWindow : public QDialog {
    Q_OBJECT
public:
    // The windows that hold a full-size poster register it under their name
    // ("EditorWindow", "ViewerWindow"); View shows the poster of the window named.
    static void setPosterSource(const QString &windowName, std::function<QPixmap()> source);

    // Shows the poster of Sender modally, centred on the window asking;
    // returns once the view is closed. Without a poster nothing opens.
    static void View(const QString &Sender);

    // The window while it is shown (tests), or null.
    static PosterWindow *current();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PosterWindow(const QPixmap &picture, QWidget *owner);
    void Form_KeyPress(int KeyAscii);
    void picViewLarger_Click();

    QLabel *picViewLarger = nullptr;
};
