// What the import confirmation, the destinations dialog and the editor show and do.

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "testutil.h"
#include "base/destinationstore.h"
#include "base/sxcu.h"
#include "gui/destinationeditor.h"
#include "gui/destinationquestion.h"
#include "gui/destinationsdialog.h"
#include "gui/destinationtexts.h"
#include "gui/importdestinationdialog.h"

using tarvello::Destination;

namespace {

Destination destination(const QByteArray &extra = QByteArray())
{
    QByteArray text = "{\"Name\": \"Team\", \"RequestURL\": \"https://img.example.com:8443/api/upload\", "
                      "\"FileFormName\": \"image\"";
    if (!extra.isEmpty())
        text += ", " + extra;
    return tarvello::readSxcu(text + '}').destination.value_or(Destination());
}

const QByteArray secretMembers = "\"Headers\": {\"Authorization\": \"Bearer TOKEN-1234567\", \"X-Client\": \"tarvello\"}, "
                                 "\"Parameters\": {\"api_key\": \"KEY-7654321\"}, \"Arguments\": {\"album\": \"holiday\"}";

// Every text the widget shows, its children's included.
QString shownTexts(const QWidget *widget)
{
    QStringList texts;
    for (const QLabel *label : widget->findChildren<QLabel *>())
        texts << label->text();
    for (const QLineEdit *edit : widget->findChildren<QLineEdit *>())
        texts << edit->text();
    for (const QTreeWidget *tree : widget->findChildren<QTreeWidget *>()) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            for (int c = 0; c < tree->columnCount(); ++c)
                texts << tree->topLevelItem(i)->text(c) << tree->topLevelItem(i)->toolTip(c);
        }
    }
    return texts.join('\n');
}

} // namespace

class tst_DestinationDialogs : public QObject
{
    Q_OBJECT

private slots:
    void importShowsWhatIsSent_data();
    void importShowsWhatIsSent();
    void importButtonAccepts();
    void listEditExportRemove();
    void editorKeepsHiddenSecrets();
    void windowAsks_data();
    void windowAsks();
};

void tst_DestinationDialogs::importShowsWhatIsSent_data()
{
    QTest::addColumn<bool>("replaces");
    QTest::newRow("new") << false;
    QTest::newRow("replacing") << true;
}

void tst_DestinationDialogs::importShowsWhatIsSent()
{
    QFETCH(bool, replaces);
    tarvello::ImportDestinationDialog dialog(destination(secretMembers), replaces);
    QCOMPARE(dialog.findChild<QLabel *>("nameLabel")->text(), QString("Team"));
    QCOMPARE(dialog.findChild<QLabel *>("hostLabel")->text(), QString("img.example.com"));
    QCOMPARE(dialog.findChild<QLabel *>("replaceLabel") != nullptr, replaces);
    auto *sent = dialog.findChild<QTreeWidget *>("sentItems");
    QCOMPARE(sent->topLevelItemCount(), 4);
    QStringList rows;
    for (int i = 0; i < sent->topLevelItemCount(); ++i)
        rows << sent->topLevelItem(i)->text(1) + '=' + sent->topLevelItem(i)->text(2);
    const QString hidden = tarvello::ImportDestinationDialog::hiddenText();
    QCOMPARE(rows, (QStringList{"Authorization=" + hidden, "X-Client=tarvello", "album=holiday", "api_key=" + hidden}));
    const QString texts = shownTexts(&dialog);
    QVERIFY(!texts.contains("TOKEN-1234567"));
    QVERIFY(!texts.contains("KEY-7654321"));
}

void tst_DestinationDialogs::importButtonAccepts()
{
    tarvello::ImportDestinationDialog dialog(destination(), false);
    dialog.open();
    QTest::mouseClick(dialog.findChild<QPushButton *>("importButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_DestinationDialogs::listEditExportRemove()
{
    QTemporaryDir dir;
    tarvello::DestinationStore store(dir.filePath("destinations.json"), QStringLiteral("tarvello-dialog-test"));
    store.load();
    QTRY_VERIFY(store.isReady());
    QSignalSpy stored(&store, &tarvello::DestinationStore::stored);
    store.add(destination());
    QTRY_COMPARE(stored.size(), 1);

    tarvello::DestinationsDialog dialog(&store);
    auto *list = dialog.findChild<QListWidget *>("destinationList");
    auto *remove = dialog.findChild<QPushButton *>("removeButton");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), tarvello::destinationTitle(Destination::builtInDestination()));
    QCOMPARE(list->item(1)->text(), QString("Team"));
    QCOMPARE(dialog.findChild<QLabel *>("secretsLabel")->text(), tarvello::secretsPlaceText(store.secretsPlace()));

    // The built-in destination is part of the program.
    list->setCurrentRow(0);
    QVERIFY(!remove->isEnabled());
    QVERIFY(!dialog.findChild<QPushButton *>("editButton")->isEnabled());
    list->setCurrentRow(1);
    QVERIFY(remove->isEnabled());
    QCOMPARE(dialog.selectedName(), QString("Team"));

    {
        auto no = testutil::ModalAnswer([](QWidget *modal) {
            static_cast<QMessageBox *>(modal)->button(QMessageBox::No)->click();
        });
        remove->click();
    }
    QCOMPARE(store.destinations().size(), 2);
    {
        auto yes = testutil::ModalAnswer([](QWidget *modal) {
            static_cast<QMessageBox *>(modal)->button(QMessageBox::Yes)->click();
        });
        remove->click();
    }
    QCOMPARE(store.destinations().size(), 1);
    QCOMPARE(list->count(), 1); // the list follows the store
}

void tst_DestinationDialogs::editorKeepsHiddenSecrets()
{
    tarvello::DestinationEditor editor(destination(secretMembers));
    auto *token = editor.findChild<QLineEdit *>("value:Authorization");
    QVERIFY(token->text().isEmpty());
    QCOMPARE(token->echoMode(), QLineEdit::Password);
    QCOMPARE(editor.findChild<QLineEdit *>("value:X-Client")->text(), QString("tarvello"));

    // Left empty, a secret stays; typed, it is replaced.
    Destination unchanged = editor.destination();
    QCOMPARE(tarvello::valueOf(unchanged, {tarvello::SecretField::Header, "Authorization"}), QString("Bearer TOKEN-1234567"));
    token->setText(QStringLiteral("Bearer NEW"));
    QCOMPARE(tarvello::valueOf(editor.destination(), {tarvello::SecretField::Header, "Authorization"}), QString("Bearer NEW"));

    // A destination that cannot be used is not taken; the dialog says why.
    editor.show();
    editor.findChild<QLineEdit *>("addressEdit")->setText(QStringLiteral("ftp://img.example.com/"));
    editor.accept();
    QVERIFY(editor.isVisible());
    auto *problem = editor.findChild<QLabel *>("problemLabel");
    QCOMPARE(problem->text(), tarvello::sxcuRefusalText(tarvello::validateDestination(editor.destination())));
    QVERIFY(!problem->text().isEmpty());
    editor.findChild<QLineEdit *>("addressEdit")->setText(QStringLiteral("https://img.example.com/v2"));
    editor.accept();
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(editor.destination().requestUrl, QString("https://img.example.com/v2"));
}

void tst_DestinationDialogs::windowAsks_data()
{
    QTest::addColumn<bool>("select");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected"); // "-" for no answer

    QTest::newRow("prompt, its default taken") << false << true << "Holiday";
    QTest::newRow("prompt cancelled") << false << false << "-";
    QTest::newRow("select, second option") << true << true << "b.example";
    QTest::newRow("select cancelled") << true << false << "-";
}

void tst_DestinationDialogs::windowAsks()
{
    QFETCH(bool, select);
    QFETCH(bool, accept);
    QFETCH(QString, expected);

    tarvello::Question question;
    question.kind = select ? tarvello::Question::Select : tarvello::Question::Prompt;
    question.title = QStringLiteral("Album");
    question.defaultText = QStringLiteral("Holiday");
    question.options = QStringList{"a.example", "b.example"};
    QString shownText;
    std::optional<QString> answer;
    {
        auto reply = testutil::ModalAnswer([&](QWidget *modal) {
            auto *dialog = qobject_cast<QInputDialog *>(modal);
            shownText = dialog->textValue();
            if (select)
                dialog->setTextValue(dialog->comboBoxItems().value(1));
            accept ? dialog->accept() : dialog->reject();
        });
        answer = tarvello::windowAsker(nullptr)(question);
    }
    QCOMPARE(answer.value_or(QStringLiteral("-")), expected);
    if (!select)
        QCOMPARE(shownText, QString("Holiday"));
}

QTEST_MAIN(tst_DestinationDialogs)
#include "tst_destinationdialogs.moc"
