#pragma once
// The editor's actor box: the card's actors in an editable list. Enter puts
// the name typed in the list, in place of the picked one; Esc empties the
// entry; the separator "|" is never typed. The keyboard brings the list to
// at most CardActors::Max names, and a full list takes no typing until a
// name is picked; a card with more keeps them all.

#include <QComboBox>
#include <QStringList>

#include <optional>

class QKeyEvent;

class ActorList : public QComboBox {
    Q_OBJECT
public:
    explicit ActorList(QWidget *parent);

    // The names in list order.
    QStringList names() const;
    // A card's names in place of the list's, none picked, nothing typed.
    void setNames(const QStringList &names);
    // No name picked any more; what is typed stays.
    void deselect();
    // Whether a name is typed and not yet entered: no change of the card
    // yet, but one a reload of the card would lose.
    bool typing() const;
    // Deletes the picked name, which stays typed in the entry.
    void deletePicked();

signals:
    // A name was entered, changed or deleted.
    void changed();
    // A name was picked (true), or none is picked any more.
    void picked(bool picked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool onKey(const QKeyEvent *event);
    void enter(const QString &text);
    void clearEntry();
    void cleanEntry();
    void pick(int index);
    bool fits(const QString &name, int index) const;
    std::optional<int> pickedIndex() const;
    void lockIfFull();

    std::optional<int> m_picked;   // by index; may be past the end after a removal
    bool m_locked = false;
};
