#include "card/filereplace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::function<Transfer(QIODevice &)> writing(const QByteArray &bytes)
{
    return [bytes](QIODevice &out) {
        return out.write(bytes) == bytes.size() ? Transfer::Done : Transfer::WriteFailed;
    };
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}   // namespace

class tst_FileBatch : public QObject {
    Q_OBJECT

private slots:
    void namesOnlyWhenPlaced();
    void dropsWhatWasNotPlaced();
};

// Files added have no name until the batch is placed; then each has its bytes.
void tst_FileBatch::namesOnlyWhenPlaced()
{
    QTemporaryDir folder;
    const QString first = folder.filePath(u"a.cfh"_s), second = folder.filePath(u"b.cfh"_s);
    QVERIFY(QFile(second).open(QIODevice::WriteOnly));   // an old file, replaced
    FileBatch batch;
    QCOMPARE(batch.add(first, writing("first")), Transfer::Done);
    QCOMPARE(batch.add(second, writing("second")), Transfer::Done);
    QCOMPARE(batch.add(folder.filePath(u"c.cfh"_s), writing("")), Transfer::Done);
    QVERIFY(!QFile::exists(first));
    QCOMPARE(contentsOf(second), QByteArray());
    QCOMPARE(batch.place(), std::vector<Transfer>(3, Transfer::Done));
    QCOMPARE(contentsOf(first), QByteArray("first"));
    QCOMPARE(contentsOf(second), QByteArray("second"));
    QCOMPARE(batch.size(), 0);
}

// A batch that ends before it is placed leaves no file, named or hidden.
void tst_FileBatch::dropsWhatWasNotPlaced()
{
    QTemporaryDir folder;
    {
        FileBatch batch;
        QCOMPARE(batch.add(folder.filePath(u"a.cfh"_s), writing("a")), Transfer::Done);
        QCOMPARE(batch.add(folder.filePath(u"b.cfh"_s), [](QIODevice &) { return Transfer::ReadFailed; }),
            Transfer::ReadFailed);
        QCOMPARE(batch.size(), 1);
    }
    QCOMPARE(
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(tst_FileBatch)
#include "tst_filebatch.moc"
