#pragma once
// The statistics of the cards shown: by decade, the genres and directors
// most found, seen against not, the ratings given, as charts in the
// desktop's palette; the running times in hours.

#include <QWidget>

struct CollectionStats;
class QChart;
class QChartView;
class QLabel;
class QPushButton;

class StatsView : public QWidget {
    Q_OBJECT
public:
    explicit StatsView(QWidget *parent = nullptr);
    void showStats(const CollectionStats &stats);

signals:
    // The user asked for the view as a PNG picture.
    void exportChosen();

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *m_timeLabel;
    QPushButton *m_exportButton;
    QChartView *m_decadesView, *m_genresView, *m_directorsView, *m_seenView, *m_ratingsView;

    QChartView *chartView(const char *name);
    void colourCharts();
    void colourChart(QChart *chart);
};
