// Two cards side by side: the fields in which they differ, to tell which of
// two duplicates to keep.
#include "collectionwindow/collectionwindow.h"

#include "collection/duplicates.h"
#include "desktop/desktop.h"
#include "texts/texts.h"

#include <QAction>

namespace {

// Each field as the window names it.
constexpr std::array<Text, kFieldCount> kFieldNames = { Text::TitleColumn, Text::YearColumn, Text::HoursLabel,
    Text::MinutesLabel, Text::GenreColumn, Text::DirectorColumn, Text::ActorsColumn, Text::SummaryLabel,
    Text::OriginalTitleColumn, Text::SortTitleLabel, Text::SagaColumn, Text::CountriesLabel, Text::SeenColumn,
    Text::LastSeenColumn, Text::PlaysLabel, Text::RatingColumn, Text::TagsColumn, Text::LentToColumn,
    Text::LentOnLabel, Text::SupportLabel, Text::PlaceLabel, Text::ImdbLabel, Text::TmdbLabel,
    Text::TmdbDefaultLabel, Text::NotesLabel, Text::AddedColumn };

// A value on one line, cut short: a summary fills no box.
QString shownValue(const CardValues &values, Field field)
{
    constexpr qsizetype mostCharacters = 60;
    QString text = holdsList(field) ? values.list(field).join(QStringLiteral(", ")) : values.text(field);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.size() > mostCharacters ? text.left(mostCharacters - 1) + QChar(u'…') : text;
}

}   // namespace

// Exactly two cards chosen: compared, field by field.
void CollectionWindow::compareChosenCards()
{
    const QStringList paths = chosenCardPaths();
    if (paths.size() != 2)
        return;
    const CardValues first = cardValues(readCardHead(paths[0]).card);
    const CardValues second = cardValues(readCardHead(paths[1]).card);
    QStringList lines { QStringLiteral("1. ") + paths[0], QStringLiteral("2. ") + paths[1], QString() };
    const QList<Field> fields = differingFields(first, second);
    for (const Field field : fields)
        lines << textOf(Text::FieldDifference)
                     .arg(textOf(kFieldNames[size_t(field)]), shownValue(first, field),
                         shownValue(second, field));
    if (fields.isEmpty())
        lines << textOf(Text::CardsAlike);
    showMessage(lines.join(QLatin1Char('\r')), MsgIcon::Information);
}
