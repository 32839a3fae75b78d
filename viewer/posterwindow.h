#pragma once
// The poster at its natural size in a borderless modal window, 25 twips of
// margin on every side; a click on the picture or Esc closes it.

#include <QDialog>
#include <QPixmap>
#include <functional>

class QLabel;

// The windows that hold a full-size poster.
enum class PosterOwner { Editor, Viewer };

class PosterWindow : public QDialog {
    Q_OBJECT
public:
    // Each owner registers how its poster is had; showPosterOf shows it.
    static void setPosterSource(PosterOwner owner, std::function<QPixmap()> source);

    // Shows the poster of owner modally, centred on the window asking;
    // returns once the view is closed. Without a poster nothing opens.
    static void showPosterOf(PosterOwner owner);

    // The window while it is shown (tests), or null.
    static PosterWindow *current();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PosterWindow(const QPixmap &picture, QWidget *owner);
    QLabel *m_pictureLabel = nullptr;
};
