#pragma once
// The poster at its natural size in a borderless modal window, 25 twips of
// margin on every side; a click on the picture or Esc closes it.

#include "desktop/singlewindow.h"

#include <QDialog>
#include <QPixmap>

class QLabel;

class PosterWindow : public QDialog, public SingleWindow<PosterWindow> {
    Q_OBJECT
public:
    // Shows picture modally, centred on owner; returns once the view is
    // closed, the window gone. A null picture opens nothing: an empty
    // borderless window would only look like a frozen program.
    static void show(const QPixmap &picture, QWidget *owner);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class SingleWindow<PosterWindow>;
    PosterWindow();
    void setPicture(const QPixmap &picture);
    QLabel *m_pictureLabel = nullptr;
};
