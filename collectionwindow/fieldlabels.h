#pragma once
// Each field of a card as the collection window names it.

#include "card/fieldtable.h"
#include "texts/texts.h"

#include <array>

inline const QString &fieldLabel(Field field)
{
    static constexpr std::array<Text, kFieldCount> kFieldNames = { Text::TitleColumn, Text::YearColumn,
        Text::HoursLabel, Text::MinutesLabel, Text::GenreColumn, Text::DirectorColumn, Text::ActorsColumn,
        Text::SummaryLabel, Text::OriginalTitleColumn, Text::SortTitleLabel, Text::SagaColumn,
        Text::CountriesLabel, Text::SeenColumn, Text::LastSeenColumn, Text::PlaysLabel, Text::RatingColumn,
        Text::TagsColumn, Text::LentToColumn, Text::LentOnLabel, Text::SupportLabel, Text::PlaceLabel,
        Text::ImdbLabel, Text::TmdbLabel, Text::TmdbDefaultLabel, Text::NotesLabel, Text::AddedColumn };
    return textOf(kFieldNames[size_t(field)]);
}
