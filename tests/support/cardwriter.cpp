// cardwriter CARD titre|type COUNT: adds one to the number the field holds,
// COUNT times, each a change of the card against other writers. Two of them
// on one card end with every addition there, or a change was lost.
#include "card/cardrecord.h"
#include "card/cardsave.h"
#include "card/nativepath.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const QString card = pathFromNative(argv[1]);
    const bool title = QByteArrayView(argv[2]) == "titre";
    const int count = QByteArray(argv[3]).toInt();
    const auto addOne = [title](Card &card) {
        QString &field = title ? card.record.text(Field::Titre) : card.record.text(Field::Type);
        field = fixedWidth(QString::number(field.trimmed().toInt() + 1), fieldWidth(Field::Titre));
        return true;
    };
    for (int i = 0; i < count; ++i) {
        const SaveResult result = changeCard(card, addOne);
        if (!result.ok()) {
            std::fprintf(stderr, "change %d: status %d\n", i, int(result.status));
            return 1;
        }
    }
    return 0;
}
