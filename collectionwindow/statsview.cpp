#include "collectionwindow/statsview.h"

#include "collection/collectionstats.h"
#include "collectionwindow/ratingstars.h"
#include "texts/texts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QEvent>
#include <QGridLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLocale>
#include <QPieSeries>
#include <QPushButton>
#include <QValueAxis>

namespace {

constexpr int kChartHeight = 260;   // device-independent pixels

// Hours, one decimal, as French writes them: "12,5".
QString hours(qint64 minutes)
{
    return QLocale().toString(minutes / 60.0, 'f', 1);
}

// A bar chart of counts by label, bars up or, for long labels, across.
void fillBars(QChart *chart, const QStringList &labels, const QList<int> &counts, bool across)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes())
        chart->removeAxis(axis);
    auto *bars = new QBarSet(textOf(Text::CardsSeries));
    int most = 1;
    for (const int count : counts) {
        *bars << count;
        most = std::max(most, count);
    }
    QAbstractBarSeries *series = across ? static_cast<QAbstractBarSeries *>(new QHorizontalBarSeries)
                                        : static_cast<QAbstractBarSeries *>(new QBarSeries);
    series->append(bars);
    chart->addSeries(series);
    auto *categories = new QBarCategoryAxis;
    categories->append(labels);
    auto *values = new QValueAxis;
    values->setRange(0, most);
    values->setLabelFormat(QStringLiteral("%d"));
    values->setTickCount(std::min(most, 5) + 1);
    chart->addAxis(categories, across ? Qt::AlignLeft : Qt::AlignBottom);
    chart->addAxis(values, across ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(categories);
    series->attachAxis(values);
    chart->legend()->hide();
}

// The most found on top: a horizontal bar chart draws its first category at the bottom.
void fillRanking(QChart *chart, const std::vector<std::pair<QString, int>> &ranking)
{
    QStringList labels;
    QList<int> counts;
    for (auto it = ranking.rbegin(); it != ranking.rend(); ++it) {
        labels << it->first;
        counts << it->second;
    }
    fillBars(chart, labels, counts, true);
}

void fillSeen(QChart *chart, int seen, int cards)
{
    chart->removeAllSeries();
    auto *pie = new QPieSeries;
    const QString format = textOf(Text::FacetCount);
    pie->append(format.arg(textOf(Text::SeenEntry), QLocale().toString(seen)), seen);
    pie->append(format.arg(textOf(Text::ToWatchEntry), QLocale().toString(cards - seen)), cards - seen);
    chart->addSeries(pie);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->show();
}

}   // namespace

StatsView::StatsView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("statsView"));
    m_timeLabel = new QLabel;
    m_timeLabel->setObjectName(QStringLiteral("timeLabel"));
    m_exportButton = new QPushButton(textOf(Text::ExportPictureButton));
    m_exportButton->setObjectName(QStringLiteral("exportPictureButton"));
    m_decadesView = chartView("decadesChart");
    m_genresView = chartView("genresChart");
    m_directorsView = chartView("directorsChart");
    m_seenView = chartView("seenChart");
    m_ratingsView = chartView("ratingsChart");
    auto *grid = new QGridLayout(this);
    grid->addWidget(m_timeLabel, 0, 0);
    grid->addWidget(m_exportButton, 0, 1, Qt::AlignRight);
    // The rankings' names are long: they take the whole width.
    grid->addWidget(m_decadesView, 1, 0);
    grid->addWidget(m_seenView, 1, 1);
    grid->addWidget(m_genresView, 2, 0, 1, 2);
    grid->addWidget(m_directorsView, 3, 0, 1, 2);
    grid->addWidget(m_ratingsView, 4, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    const std::pair<QChartView *, Text> titles[] = { { m_decadesView, Text::DecadesChart },
        { m_genresView, Text::GenresChart }, { m_directorsView, Text::DirectorsChart },
        { m_seenView, Text::SeenChart }, { m_ratingsView, Text::RatingsChart } };
    for (const auto &[view, title] : titles) {
        view->chart()->setTitle(textOf(title));
        view->setAccessibleName(textOf(title));
    }
    connect(m_exportButton, &QPushButton::clicked, this, &StatsView::exportChosen);
    colourCharts();
}

QChartView *StatsView::chartView(const char *name)
{
    auto *view = new QChartView(new QChart);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(kChartHeight);
    view->chart()->setAnimationOptions(QChart::NoAnimation);
    return view;
}

void StatsView::showStats(const CollectionStats &stats)
{
    const QString cards = stats.cards == 1 ? textOf(Text::OneCard)
                                           : textOf(Text::ManyCards).arg(QLocale().toString(stats.cards));
    m_timeLabel->setText(
        textOf(Text::RunningTimes).arg(cards, hours(stats.minutes), hours(stats.seenMinutes)));
    QStringList decades;
    QList<int> counts;
    for (const auto &[decade, count] : stats.decades) {
        decades << QString::number(decade);
        counts << count;
    }
    fillBars(m_decadesView->chart(), decades, counts, false);
    fillRanking(m_genresView->chart(), stats.genres);
    fillRanking(m_directorsView->chart(), stats.directors);
    fillSeen(m_seenView->chart(), stats.seen, stats.cards);
    QStringList ratings { textOf(Text::NoRatingEntry) };
    QList<int> rated { stats.ratings[0] };
    for (int rating = 1; rating <= 10; ++rating) {
        ratings << ratingStars(rating);
        rated << stats.ratings[size_t(rating)];
    }
    fillBars(m_ratingsView->chart(), ratings, rated, false);
    colourCharts();
}

// The charts follow the desktop's palette, light or dark.
void StatsView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        colourCharts();
    QWidget::changeEvent(event);
}

void StatsView::colourCharts()
{
    for (QChartView *view : { m_decadesView, m_genresView, m_directorsView, m_seenView, m_ratingsView })
        colourChart(view->chart());
}

void StatsView::colourChart(QChart *chart)
{
    const QPalette colours = palette();
    chart->setBackgroundBrush(colours.color(QPalette::Base));
    chart->setTitleBrush(colours.color(QPalette::Text));
    chart->legend()->setLabelColor(colours.color(QPalette::Text));
    // Lines and the second slice in the text's colour, faint: they show on
    // light and dark palettes alike.
    const auto faint = [&colours](QPalette::ColorRole role, int alpha) {
        QColor colour = colours.color(role);
        colour.setAlpha(alpha);
        return colour;
    };
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsBrush(colours.color(QPalette::Text));
        axis->setLinePenColor(faint(QPalette::Text, 120));
        axis->setGridLineColor(faint(QPalette::Text, 40));
    }
    for (QAbstractSeries *series : chart->series()) {
        if (auto *bars = qobject_cast<QAbstractBarSeries *>(series)) {
            for (QBarSet *set : bars->barSets()) {
                set->setColor(colours.color(QPalette::Highlight));
                set->setBorderColor(colours.color(QPalette::Highlight));
            }
        } else if (auto *pie = qobject_cast<QPieSeries *>(series)) {
            const QList<QColor> fills { colours.color(QPalette::Highlight), faint(QPalette::Text, 60) };
            for (qsizetype i = 0; i < pie->slices().size(); ++i) {
                pie->slices()[i]->setColor(fills[i % 2]);
                pie->slices()[i]->setBorderColor(colours.color(QPalette::Base));
            }
        }
    }
}
