// The collection window's side list: what to watch, what is lent, tags,
// sagas, ratings, genres, directors and decades, each with its count. The
// entries chosen narrow the cards shown, one kind with another.
#include "collectionwindow/collectionwindow.h"

#include "collectionwindow/cardpane.h"
#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/ratingstars.h"
#include "texts/texts.h"

#include <QAbstractItemView>
#include <QLocale>
#include <QTreeWidget>

namespace {

constexpr int kFacetKindRole = Qt::UserRole;
constexpr int kFacetKeyRole = Qt::UserRole + 1;
constexpr int kGroupRole = Qt::UserRole + 2;   // a group's kind

struct SideGroup {
    Facet::Kind kind;
    Text title;
    bool openAtFirst;   // directors and sagas are many: their groups start closed
};
constexpr SideGroup kGroups[]
    = { { Facet::Tag, Text::TagsEntry, true }, { Facet::Saga, Text::SagasEntry, false },
          { Facet::Rating, Text::RatingsEntry, false }, { Facet::Genre, Text::GenresEntry, true },
          { Facet::Director, Text::DirectorsEntry, false }, { Facet::Decade, Text::DecadesEntry, true } };

QString entryLabel(const FacetEntry &entry)
{
    switch (entry.facet.kind) {
    case Facet::Decade:
        return textOf(Text::DecadeLabel).arg(entry.label);
    case Facet::Seen:
        return textOf(entry.facet.key.isEmpty() ? Text::ToWatchEntry : Text::SeenEntry);
    case Facet::Lent:
        return textOf(Text::LentEntry);
    case Facet::Duplicate:
        return textOf(Text::DuplicatesEntry);
    case Facet::Rating:
        return entry.facet.key == u'0' ? textOf(Text::NoRatingEntry) : ratingStars(entry.facet.key.toInt());
    default:
        return entry.label;
    }
}

QString countText(const QString &label, qsizetype count)
{
    return textOf(Text::FacetCount).arg(label, QLocale().toString(count));
}

QTreeWidgetItem *entryItem(const FacetEntry &entry)
{
    auto *item = new QTreeWidgetItem({ countText(entryLabel(entry), entry.count) });
    item->setData(0, kFacetKindRole, int(entry.facet.kind));
    item->setData(0, kFacetKeyRole, entry.facet.key);
    if (entry.facet.kind == Facet::Rating && entry.facet.key != u'0')
        item->setData(
            0, Qt::AccessibleTextRole, countText(ratingWords(entry.facet.key.toInt()), entry.count));
    return item;
}

std::optional<Facet> facetOf(const QTreeWidgetItem *item)
{
    if (!item->data(0, kFacetKindRole).isValid())
        return std::nullopt;
    return Facet { Facet::Kind(item->data(0, kFacetKindRole).toInt()),
        item->data(0, kFacetKeyRole).toString() };
}

QStringList entryLabels(const std::vector<FacetEntry> &entries)
{
    QStringList labels;
    for (const FacetEntry &entry : entries)
        labels << entry.label;
    return labels;
}

}   // namespace

void CollectionWindow::chooseFacet()
{
    QList<Facet> facets;
    for (const QTreeWidgetItem *item : m_facetTree->selectedItems()) {
        const std::optional<Facet> facet = facetOf(item);
        // "Every card" chosen with others chooses every card.
        if (!facet) {
            facets.clear();
            break;
        }
        facets << *facet;
    }
    if (facets == m_collection.narrowing())
        return;
    m_model->update([&] { m_collection.setNarrowing(facets); });
    // The card menu's actions stay at hand: the first card shown becomes the current one.
    if (!shownView()->currentIndex().isValid() && m_model->rowCount() > 0)
        shownView()->selectionModel()->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::NoUpdate);
    showCount();
}

// Each group stays open or closed as the user left it.
QHash<int, bool> CollectionWindow::groupsOpen() const
{
    QHash<int, bool> open;
    for (const SideGroup &group : kGroups)
        open.insert(group.kind, group.openAtFirst);
    for (int i = 0; i < m_facetTree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_facetTree->topLevelItem(i);
        if (item->data(0, kGroupRole).isValid())
            open.insert(item->data(0, kGroupRole).toInt(), item->isExpanded());
    }
    return open;
}

// The side list over every card; the entries chosen stay chosen while they
// are there.
void CollectionWindow::fillFacets()
{
    const QSignalBlocker blocker(m_facetTree);
    const QHash<int, bool> open = groupsOpen();
    m_facetTree->clear();
    auto *all = new QTreeWidgetItem(
        m_facetTree, { countText(textOf(Text::AllCardsEntry), qsizetype(m_collection.cards().size())) });
    QList<QTreeWidgetItem *> entries;
    for (const Facet::Kind kind : { Facet::Seen, Facet::Lent, Facet::Duplicate }) {
        for (const FacetEntry &entry : m_collection.facets(kind)) {
            m_facetTree->addTopLevelItem(entryItem(entry));
            entries << m_facetTree->topLevelItem(m_facetTree->topLevelItemCount() - 1);
        }
    }
    for (const SideGroup &side : kGroups) {
        auto *group = new QTreeWidgetItem(m_facetTree, { textOf(side.title) });
        group->setFlags(Qt::ItemIsEnabled);
        group->setData(0, kGroupRole, int(side.kind));
        for (const FacetEntry &entry : m_collection.facets(side.kind)) {
            group->addChild(entryItem(entry));
            entries << group->child(group->childCount() - 1);
        }
        group->setExpanded(open.value(side.kind));
    }
    keepChosenEntries(all, entries);
    m_pane->setCompletions(
        entryLabels(m_collection.facets(Facet::Tag)), entryLabels(m_collection.facets(Facet::Saga)));
}

// The entries chosen before are chosen again; those gone leave the narrowing.
void CollectionWindow::keepChosenEntries(QTreeWidgetItem *all, const QList<QTreeWidgetItem *> &entries)
{
    QList<Facet> kept;
    QTreeWidgetItem *current = all;
    for (QTreeWidgetItem *item : entries) {
        if (!m_collection.narrowing().contains(*facetOf(item)))
            continue;
        kept << *facetOf(item);
        item->setSelected(true);
        current = current == all ? item : current;
    }
    m_facetTree->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    if (current == all)
        all->setSelected(true);
    if (kept.size() != m_collection.narrowing().size()) {
        m_model->update([&] { m_collection.setNarrowing(kept); });
        showCount();
    }
}
