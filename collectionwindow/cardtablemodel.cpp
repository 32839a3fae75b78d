#include "collectionwindow/cardtablemodel.h"

#include "collectionwindow/postershelf.h"
#include "collectionwindow/ratingstars.h"
#include "poster/posterimage.h"
#include "texts/plaintext.h"
#include "texts/texts.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>

namespace {

// What the list shows of each column: its title, and the characters it
// mostly holds, which make its width.
struct ColumnLook {
    Text header;
    int characters;
};
struct FieldColumn {
    Field field;
    ColumnLook look;
};
constexpr std::array<FieldColumn, kListedFields.size()> kFieldColumns = { {
    { Field::Titre, { Text::TitleColumn, 34 } },
    { Field::Annee, { Text::YearColumn, 6 } },
    { Field::Heures, { Text::RunningTimeColumn, 6 } },
    { Field::Type, { Text::GenreColumn, 14 } },
    { Field::Realisateur, { Text::DirectorColumn, 20 } },
    { Field::Acteurs, { Text::ActorsColumn, 32 } },
    { Field::TitreOriginal, { Text::OriginalTitleColumn, 28 } },
    { Field::Saga, { Text::SagaColumn, 18 } },
    { Field::Vu, { Text::SeenColumn, 3 } },
    { Field::VuLe, { Text::LastSeenColumn, 10 } },
    { Field::Note, { Text::RatingColumn, 6 } },
    { Field::Etiquettes, { Text::TagsColumn, 20 } },
    { Field::PretA, { Text::LentToColumn, 14 } },
    { Field::AjouteeLe, { Text::AddedColumn, 10 } },
} };
constexpr ColumnLook kFolderLook { Text::FolderColumn, 16 };

constexpr bool everyListedFieldLooked()
{
    for (std::size_t i = 0; i < kListedFields.size(); ++i) {
        if (kFieldColumns[i].field != kListedFields[i])
            return false;
    }
    return true;
}
static_assert(
    everyListedFieldLooked(), "each listed field has its column's title, in the field table's order");

ColumnLook lookOf(CardColumn column)
{
    return column == kFolderColumn ? kFolderLook : kFieldColumns[std::size_t(column)].look;
}

QString runningTime(const CollectionCard &card)
{
    if (card.minutes < 0)
        return {};
    return QStringLiteral("%1:%2").arg(card.minutes / 60).arg(card.minutes % 60, 2, 10, QLatin1Char('0'));
}

// A day as the list shows it: "12/03/2024", whatever time the card gives.
QString shownDay(const QString &date)
{
    return QLocale().toString(QDate::fromString(date.left(10), Qt::ISODate), QLocale::ShortFormat);
}

QString columnText(const CollectionCard &card, CardColumn column)
{
    const std::optional<Field> field = fieldOf(column);
    if (!field)
        return card.folder;
    switch (fieldLayout(*field).rule) {
    case FieldRule::Hours:
        return runningTime(card);
    case FieldRule::Actors:
        return card.actors();
    case FieldRule::Flag:
        return card.seen ? kSeenMark : QString();
    case FieldRule::Rating:
        return ratingStars(card.rating);
    case FieldRule::Date:
    case FieldRule::Dates:
        return shownDay(card.text(*field));
    default:
        return card.text(*field);
    }
}

// What a screen reader says of a column: the rating in words.
QString accessibleColumnText(const CollectionCard &card, CardColumn column)
{
    if (fieldOf(column) == Field::Note)
        return card.rating > 0 ? ratingWords(card.rating) : QString();
    return columnText(card, column);
}

bool alignedRight(CardColumn column)
{
    const std::optional<Field> field = fieldOf(column);
    return field && isNumberRule(fieldLayout(*field).rule);
}

// What a screen reader says of a card: its title and its year, whether it
// was seen, its rating.
QString accessibleName(const CollectionCard &card)
{
    const QString title = card.text(Field::Titre);
    const QString year = card.text(Field::Annee);
    QString name = year.isEmpty() ? title : title + QStringLiteral(" (") + year + QLatin1Char(')');
    if (card.seen)
        name += QStringLiteral(", ") + textOf(Text::SeenWord);
    if (card.rating > 0)
        name += QStringLiteral(", ") + ratingWords(card.rating);
    return name;
}

// The card files' icon in half the poster's room, at twice the pixels for
// any screen.
QImage cardPicture(QSize box)
{
    QImage picture = readPictureAs(QStringLiteral(":/cinefiche/card.png"), "png")
                         .scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(2.0);
    return picture;
}

}   // namespace

// What a change of a card's own fields may change of its rows.
const QList<int> CardTableModel::kCardRoles { Qt::DisplayRole, Qt::AccessibleTextRole,
    CardTableModel::YearRole, CardTableModel::SeenRole, CardTableModel::RatingRole };

int typicalCharacters(CardColumn column)
{
    return lookOf(column).characters;
}

CardTableModel::CardTableModel(CardCollection &collection, PosterShelf &posters, QObject *parent)
    : QAbstractTableModel(parent), m_collection(collection), m_posters(posters),
      m_cardPicture(cardPicture(posters.box()))
{
    connect(&m_posters, &PosterShelf::arrived, this, &CardTableModel::redrawPoster);
}

int CardTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_collection.shown().size());
}

int CardTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kCardColumns;
}

const CollectionCard &CardTableModel::card(int row) const
{
    return m_collection.cards()[size_t(m_collection.shown()[size_t(row)])];
}

QVariant CardTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CollectionCard &shown = card(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return columnText(shown, CardColumn(index.column()));
    case Qt::AccessibleTextRole:
        return index.column() == 0 ? accessibleName(shown)
                                   : accessibleColumnText(shown, CardColumn(index.column()));
    case Qt::ToolTipRole:
        return plainToolTip(shown.path);
    case Qt::TextAlignmentRole:
        return alignedRight(CardColumn(index.column())) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                        : QVariant();
    case PosterRole: {
        const QImage poster = shown.hasPoster ? m_posters.poster(shown.path) : QImage();
        if (!poster.isNull())
            return poster;
        return m_cardPicture;
    }
    case YearRole:
        return underPoster(shown);
    case SeenRole:
        return shown.seen;
    case RatingRole:
        return shown.rating;
    default:
        return {};
    }
}

QString CardTableModel::underPoster(const CollectionCard &card) const
{
    const QString year = card.text(Field::Annee);
    const bool amongDuplicates = std::any_of(m_collection.narrowing().begin(), m_collection.narrowing().end(),
        [](const Facet &facet) { return facet.kind == Facet::Duplicate; });
    if (!amongDuplicates)
        return year;
    const QString folder = card.folder.isEmpty() ? QFileInfo(m_collection.root()).fileName() : card.folder;
    return textOf(Text::YearAndFolder).arg(year, folder);
}

QVariant CardTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kCardColumns)
        return {};
    return textOf(lookOf(CardColumn(section)).header);
}

void CardTableModel::sort(int column, Qt::SortOrder order)
{
    if (column >= 0 && column < kCardColumns)
        update([&] { m_collection.sortBy(CardColumn(column), order); });
}

int CardTableModel::rowOf(const QString &cardPath) const
{
    const int index = m_collection.indexOf(cardPath);
    return index < 0 || size_t(index) >= m_rowOfCard.size() ? -1 : m_rowOfCard[size_t(index)];
}

void CardTableModel::update(const std::function<void()> &change)
{
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QStringList paths;
    for (const QModelIndex &index : before)
        paths << (index.row() < rowCount() ? card(index.row()).path : QString());
    change();
    mapRows();
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int row = rowOf(paths[i]);
        after << (row < 0 ? QModelIndex() : index(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void CardTableModel::replaceCards(std::vector<CollectionCard> cards)
{
    if (!m_collection.keepsPlaces(cards)) {
        update([&] { m_collection.replace(std::move(cards)); });
        return;
    }
    int first = rowCount(), last = -1;
    for (const CollectionCard &card : cards) {
        if (const int row = rowOf(card.path); row >= 0) {
            first = std::min(first, row);
            last = std::max(last, row);
        }
    }
    m_collection.replace(std::move(cards));
    if (last >= 0)
        emit dataChanged(index(first, 0), index(last, kCardColumns - 1), kCardRoles);
}

void CardTableModel::mapRows()
{
    m_rowOfCard.assign(m_collection.cards().size(), -1);
    const std::vector<int> &shown = m_collection.shown();
    for (size_t row = 0; row < shown.size(); ++row)
        m_rowOfCard[size_t(shown[row])] = int(row);
}

void CardTableModel::redrawPoster(const QString &cardPath)
{
    if (const int row = rowOf(cardPath); row >= 0)
        emit dataChanged(index(row, 0), index(row, 0), { PosterRole });
}
