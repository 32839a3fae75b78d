#include "app/qtdesktop.h"
#include "support/modal.h"
#include "support/testfiles.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_QtDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void nameFilters();
    void saveDialogAddsTheExtensionBeforeConfirming();
    void saveDialogRefusesAReadOnlyFile();
    void dialogWritesSizesAndDatesInFrench();
    void changedCardQuestion_data();
    void changedCardQuestion();

private:
    QTemporaryDir m_dir;
    FileRequest saveRequest() const;
};

void tst_QtDesktop::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));   // as the program sets it
}

FileRequest tst_QtDesktop::saveRequest() const
{
    FileRequest request;
    request.kind = FileDialogKind::Save;
    request.title = u"Enregistrer"_s;
    request.filters = { { u"Fiches"_s, u"*.cfh"_s } };
    request.folder = m_dir.path();
    request.options = FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn;
    request.extension = u"cfh"_s;
    return request;
}

void tst_QtDesktop::nameFilters()
{
    // The label as it stands, whatever parentheses it holds; "*.*" is every file.
    QCOMPARE(qtNameFilter({ u"Fichiers Images (*.jpg, *.gif)"_s, u"*.jpg;*.gif"_s }),
        u"Fichiers Images (*.jpg, *.gif) (*.jpg *.gif)"_s);
    QCOMPARE(qtNameFilter({ u"Tous les fichiers (*.*)"_s, u"*.*"_s }), u"Tous les fichiers (*.*) (*)"_s);
}

void tst_QtDesktop::saveDialogAddsTheExtensionBeforeConfirming()
{
    QVERIFY(writeBytes(m_dir.filePath(u"alien.cfh"_s), "old card"));
    bool asked = false;
    auto typeAndAccept = [](QWidget *modal, const QString &name) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    };
    onNextModal([&](QWidget *modal) {
        // "alien" is "alien.cfh", which exists: replacing it is asked first.
        onNextModal([&](QWidget *question) {
            auto *box = qobject_cast<QMessageBox *>(question);
            QVERIFY(box);
            asked = box->text().contains(u"alien.cfh"_s);
            box->button(QMessageBox::No)->click();
            onNextModal([&](QWidget *again) { typeAndAccept(again, u"brazil"_s); });
        });
        typeAndAccept(modal, u"alien"_s);
    });
    QtDesktop desktop;
    QCOMPARE(desktop.chooseFile(saveRequest()), m_dir.filePath(u"brazil.cfh"_s));
    QVERIFY(asked);
}

void tst_QtDesktop::saveDialogRefusesAReadOnlyFile()
{
    const QString readOnly = m_dir.filePath(u"locked.cfh"_s);
    QVERIFY(writeBytes(readOnly, "old card"));
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    QString refusal;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        onNextModal([&](QWidget *message) {
            auto *box = qobject_cast<QMessageBox *>(message);
            QVERIFY(box);
            refusal = box->text();
            box->button(QMessageBox::Ok)->click();
            onNextModal([](QWidget *again) { static_cast<QDialog *>(again)->reject(); });
        });
        dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(u"locked.cfh"_s);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QtDesktop desktop;
    QCOMPARE(desktop.chooseFile(saveRequest()), QString());   // refused, then cancelled
    QCOMPARE(refusal, u"Impossible d'écrire le fichier\n"_s + readOnly);
}

// Qt's file model writes them in the system's locale, English under LANG=C.
void tst_QtDesktop::dialogWritesSizesAndDatesInFrench()
{
    const QString film = m_dir.filePath(u"film.cfh"_s);
    QVERIFY(writeBytes(film, QByteArray(1500, 'x')));
    const QString date = QLocale().toString(QFileInfo(film).lastModified(), QLocale::ShortFormat);
    QString shownSize, shownDate;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        auto *files = dialog->findChild<QFileSystemModel *>();
        QVERIFY(files);
        const QModelIndex row = dialog->proxyModel()->mapFromSource(files->index(film));
        QTRY_VERIFY(!row.siblingAtColumn(1).data().toString().isEmpty());
        shownSize = row.siblingAtColumn(1).data().toString();
        shownDate = row.siblingAtColumn(3).data().toString();
        dialog->reject();
    });
    FileRequest request;
    request.folder = m_dir.path();
    QtDesktop desktop;
    QCOMPARE(desktop.chooseFile(request), QString());
    QCOMPARE(shownSize, u"1,46 Kio"_s);
    QCOMPARE(shownDate, date);
}

// The question about a card another program changed: each button gives its
// answer; Escape, and Enter on the default button, give Cancel. A card put
// in the trash is not by a stray key either.
void tst_QtDesktop::changedCardQuestion_data()
{
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<QString>("press");
    QTest::addColumn<MsgAnswer>("answer");
    const MsgButtons changed = MsgButtons::KeepMineReloadCancel;
    QTest::newRow("keep mine") << changed << u"Enregistrer ma version"_s << MsgAnswer::KeepMine;
    QTest::newRow("reload") << changed << u"Recharger la fiche"_s << MsgAnswer::Reload;
    QTest::newRow("Escape") << changed << u"Escape"_s << MsgAnswer::Cancel;
    QTest::newRow("Enter") << changed << u"Enter"_s << MsgAnswer::Cancel;
    QTest::newRow("trash, Escape") << MsgButtons::YesNo << u"Escape"_s << MsgAnswer::No;
    QTest::newRow("trash, Enter") << MsgButtons::YesNo << u"Enter"_s << MsgAnswer::No;
}

void tst_QtDesktop::changedCardQuestion()
{
    QFETCH(MsgButtons, buttons);
    QFETCH(QString, press);
    QtDesktop desktop;
    const MessageRequest request { u"La fiche a changé"_s, MsgIcon::Question, buttons };
    std::optional<MsgAnswer> answer;
    const bool shown = whileModal([&] { answer = desktop.msgBox(request); },
        [&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            QCOMPARE(box->buttons().size(), buttons == MsgButtons::YesNo ? 2 : 3);
            if (press == u"Escape" || press == u"Enter")
                QTest::keyClick(box, press == u"Enter" ? Qt::Key_Return : Qt::Key_Escape);
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == press)
                    button->click();
            }
        });
    QVERIFY(shown);
    QTEST(answer.value_or(MsgAnswer::Ok), "answer");
}

QTEST_MAIN(tst_QtDesktop)
#include "tst_qtdesktop.moc"
