// The collection window's list: its columns' widths, and those shown or
// hidden from its header's menu, remembered.
#include "collectionwindow/collectionwindow.h"

#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/collectionsettings.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QTreeView>

namespace {

const QString kHiddenColumnsKey = QStringLiteral("hiddenColumns");   // their keys

// What a new list hides: columns only some people fill.
QStringList hiddenAtFirst()
{
    QStringList keys;
    for (const Field field :
        { Field::TitreOriginal, Field::Saga, Field::VuLe, Field::Etiquettes, Field::PretA, Field::AjouteeLe })
        keys << columnKey(columnOf(field));
    return keys;
}

}   // namespace

// Each column as wide as the characters it mostly holds and its own title,
// in the font shown: measuring every row would cost a pass over all cards.
void CollectionWindow::sizeListColumns()
{
    const QFontMetrics metrics = m_listView->fontMetrics();
    QHeaderView *header = m_listView->header();
    for (int column = 0; column < kCardColumns; ++column) {
        const int title = metrics.horizontalAdvance(
            m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        const int margins
            = 3 * metrics.averageCharWidth() + header->style()->pixelMetric(QStyle::PM_HeaderMarkSize);
        header->resizeSection(column,
            std::max(typicalCharacters(CardColumn(column)) * metrics.averageCharWidth(), title) + margins);
    }
}

void CollectionWindow::hideRememberedColumns()
{
    const QVariant kept = remembered(kHiddenColumnsKey);
    const QStringList hidden = kept.isValid() ? kept.toStringList() : hiddenAtFirst();
    for (int column = 0; column < kCardColumns; ++column) {
        const bool hide
            = hidden.contains(columnKey(CardColumn(column))) && column != int(columnOf(Field::Titre));
        m_listView->header()->setSectionHidden(column, hide);
    }
}

// One item a column in the list's order, checked when it is shown; the
// title's always is.
void CollectionWindow::buildColumnMenu()
{
    m_columnMenu = new QMenu(this);
    m_columnMenu->setObjectName(QStringLiteral("columnMenu"));
    for (int place = 0; place < kCardColumns; ++place) {
        const int column = m_listView->header()->logicalIndex(place);
        QAction *action = m_columnMenu->addAction(QString());
        action->setData(column);
        action->setObjectName(QStringLiteral("column_") + columnKey(CardColumn(column)));
        action->setCheckable(true);
        action->setChecked(!m_listView->header()->isSectionHidden(column));
        action->setEnabled(column != int(columnOf(Field::Titre)));
        connect(action, &QAction::toggled, this, [this, column](bool shown) { showColumn(column, shown); });
    }
}

void CollectionWindow::showColumnMenu(const QPoint &at)
{
    m_columnMenu->popup(m_listView->header()->mapToGlobal(at));
}

void CollectionWindow::showColumn(int column, bool shown)
{
    QHeaderView *header = m_listView->header();
    header->setSectionHidden(column, !shown);
    QStringList hidden;
    for (int each = 0; each < kCardColumns; ++each) {
        if (header->isSectionHidden(each))
            hidden << columnKey(CardColumn(each));
    }
    remember(kHiddenColumnsKey, hidden, hiddenAtFirst());
}
