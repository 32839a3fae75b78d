#pragma once
// The report of a viewing history or of a collection brought into the
// collection, shown in place of its cards: a row a movie in a table, the
// count of each outcome, the progress of the work with Cancel, and the
// buttons that apply it or close it.

#include "collectionwindow/exchangerows.h"

#include <QWidget>

#include <array>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

class ExchangePage : public QWidget {
    Q_OBJECT
public:
    ExchangePage();

    // A new report, titled by what is being done; busy until finish.
    void start(const QString &title);
    // Work under way again (applying what was shown): its rows stay.
    void work(const QString &title, bool cancellable);
    void addRows(const QList<ExchangeRow> &rows);
    // done of total; a total of 0 is work of no known length.
    void showProgress(qsizetype done, qsizetype total);
    // The work is done: "Appliquer" when applicable, a note under the counts.
    void finish(bool applicable, const QString &note = {});
    qsizetype count(ExchangeRow::Kind kind) const { return m_counts[size_t(kind)]; }

signals:
    void applyChosen();
    void cancelChosen();
    void closeChosen();

private:
    QLabel *m_titleLabel, *m_summaryLabel;
    QTreeWidget *m_table;
    QProgressBar *m_progressBar;
    QPushButton *m_applyButton, *m_cancelButton, *m_closeButton;
    std::array<qsizetype, kExchangeKinds> m_counts {};
    qsizetype m_rowsNotListed = 0;
    QString m_note;
    void showSummary();
};
