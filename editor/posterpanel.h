#pragma once
// The editor's poster panel: the frame with its Change and Remove buttons,
// the poster under it, kPosterWidth wide, and the Affiche menu, which is the
// poster's pop-up menu too. It shows pictures and takes them in (chosen,
// pasted or dropped); what they mean to the card is the window's, told by
// its signals.

#include "poster/posterpaste.h"

#include <QPixmap>
#include <QPointF>
#include <QWidget>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

class PosterPanel : public QWidget {
    Q_OBJECT
public:
    explicit PosterPanel(QWidget *form);

    // The Affiche menu, for the menu bar.
    QMenu *menu() const { return m_menu; }
    void setCaptions();
    // Shows the picture at path, or none when path is empty; the window's
    // height follows (outerHeightNeeded). False when the file is no picture
    // or a size leaves the 16-bit range: nothing changes then.
    bool showPicture(const QString &path);
    // A picture file or pixels, dropped or pasted, as the new poster.
    void take(const PosterSource &source, const QImage &pixels);
    // Whether the card has a poster of its own to go back to.
    void setResettable(bool resettable);

signals:
    // The picture at path is shown as the new poster. pasteFolder is the
    // working folder made for pasted pixels, empty for a file of the user's.
    void taken(const QString &path, const QString &pasteFolder);
    // The poster was removed: none is shown.
    void removed();
    // Reset was asked: the card's own poster again.
    void resetAsked();
    // The window's outer height in twips for the poster shown.
    void outerHeightNeeded(int twips);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void buildMenu();
    void connectHandlers();
    // Shows the picture at path and says so (taken); false, and why said,
    // when the editor cannot show it.
    bool takeFile(const QString &path, const QString &pasteFolder = {});
    // Pixels alone become a JPEG in a working folder of their own.
    void takePixels(const QImage &pixels);
    void choose();
    void paste();
    void remove();
    void showFullView();
    void updatePasteItem();
    bool onPosterMouse(const QEvent *event);
    void clickPoster(Qt::MouseButton button, QPointF at);
    void fitToPoster();

    QPixmap m_picture;        // the poster at its natural size; null when there is none
    bool m_pressed = false;   // a mouse button went down on the poster and is not yet released

    QGroupBox *m_frame = nullptr;
    QPushButton *m_changeButton = nullptr, *m_removeButton = nullptr;
    QLabel *m_posterLabel = nullptr;   // the poster, stretched to its size
    QMenu *m_menu = nullptr;
    QAction *m_fullViewAction = nullptr, *m_changeAction = nullptr, *m_pasteAction = nullptr,
            *m_removeAction = nullptr, *m_resetAction = nullptr;
};
