// The history window: what it shows of the store, its search, copying in each format, opening
// links, upload again, removing and clearing, pages and thumbnails of 1000 entries, and a store
// it cannot use.

#include <QAbstractButton>
#include <QClipboard>
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "base/history.h"
#include "gui/historymodel.h"
#include "gui/historywindow.h"
#include "testutil.h"
#include "urlcatcher.h"

using tarvello::HistoryRecord;
using tarvello::HistoryStore;
using tarvello::HistoryWindow;

namespace {

HistoryRecord upload(const QString &file, int minute, const QString &description = QString())
{
    HistoryRecord record;
    record.time = QDateTime(QDate(2026, 12, 7), QTime(9, minute));
    record.fileName = file;
    record.filePath = QStringLiteral("/nowhere/") + file;
    record.destination = QStringLiteral("Local host");
    record.link = QStringLiteral("http://img.example/i/") + file;
    record.thumbnailLink = QStringLiteral("http://img.example/t/") + file;
    record.deletionLink = QStringLiteral("http://img.example/delete/") + file;
    record.description = description;
    return record;
}

// Answers the next message box with the button of this role.
std::unique_ptr<testutil::ModalAnswer> answer(QMessageBox::StandardButton button)
{
    return std::make_unique<testutil::ModalAnswer>([button](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        box->button(button)->click();
    });
}

} // namespace

class tst_HistoryWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheHistory();
    void searches();
    void copies_data();
    void copies();
    void opensLinks_data();
    void opensLinks();
    void uploadsAgain();
    void removesAndClears();
    void pagesAndThumbnails();
    void faultShown();

private:
    // A store holding these records, with a window on it.
    void open(const QList<HistoryRecord> &records, const QImage &preview = QImage());
    void select(const QList<int> &rows);
    QTableView *table() const { return m_window->findChild<QTableView *>(QStringLiteral("historyTable")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_parent;
    std::unique_ptr<HistoryStore> m_store;
    HistoryWindow *m_window = nullptr;
};

void tst_HistoryWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_parent = std::make_unique<QWidget>();
}

void tst_HistoryWindow::cleanup()
{
    m_parent.reset();
    m_window = nullptr;
    m_store.reset();
}

void tst_HistoryWindow::open(const QList<HistoryRecord> &records, const QImage &preview)
{
    m_store = std::make_unique<HistoryStore>(m_dir->filePath(QStringLiteral("history.sqlite")));
    for (const HistoryRecord &record : records)
        m_store->record(record, preview);
    QTRY_VERIFY(m_store->isIdle());
    bool created = false;
    m_window = HistoryWindow::showFor(m_parent.get(), m_store.get(), &created);
    QVERIFY(created);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_HistoryWindow::select(const QList<int> &rows)
{
    table()->clearSelection();
    for (const int row : rows)
        table()->selectionModel()->select(table()->model()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void tst_HistoryWindow::showsTheHistory()
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    HistoryRecord failed = upload(QStringLiteral("broken.png"), 3);
    failed.link.clear();
    failed.failure = QStringLiteral("HTTP status: 500");
    open({upload(QStringLiteral("first.png"), 1, QStringLiteral("the first")), upload(QStringLiteral("second.png"), 2),
          failed}, picture);

    QAbstractItemModel *model = table()->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(0, tarvello::HistoryModel::FileColumn).data().toString(), QStringLiteral("broken.png"));
    QCOMPARE(model->index(0, tarvello::HistoryModel::LinkColumn).data().toString(), QStringLiteral("failed"));
    QCOMPARE(model->index(0, tarvello::HistoryModel::LinkColumn).data(Qt::ToolTipRole).toString(), failed.failure);
    QCOMPARE(model->index(2, tarvello::HistoryModel::TimeColumn).data().toString(), QStringLiteral("2026-12-07 09:01"));
    QCOMPARE(model->index(2, tarvello::HistoryModel::DescriptionColumn).data().toString(), QStringLiteral("the first"));
    QCOMPARE(model->index(2, tarvello::HistoryModel::LinkColumn).data().toString(),
             QStringLiteral("http://img.example/i/first.png"));
    const QIcon icon = model->index(2, 0).data(Qt::DecorationRole).value<QIcon>();
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(64, 48)});
    const QPixmap thumbnail = icon.pixmap(QSize(64, 48));
    QVERIFY(qAbs(thumbnail.toImage().pixelColor(30, 20).blue() - 255) < 8); // give or take JPEG

    // Every control a screen reader meets has a name.
    for (QWidget *control : m_window->findChildren<QWidget *>()) {
        if ((qobject_cast<QAbstractButton *>(control) || qobject_cast<QLineEdit *>(control)
             || qobject_cast<QTableView *>(control)) && control->isVisibleTo(m_window))
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
    bool created = true;
    QCOMPARE(HistoryWindow::showFor(m_parent.get(), m_store.get(), &created), m_window);
    QVERIFY(!created);

    // A new upload shows at the top at once.
    m_store->record(upload(QStringLiteral("newest.png"), 4));
    QTRY_COMPARE(model->rowCount(), 4);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("newest.png"));
}

void tst_HistoryWindow::searches()
{
    open({upload(QStringLiteral("cat.png"), 1, QStringLiteral("sleepy")), upload(QStringLiteral("dog.png"), 2)});
    auto *search = m_window->findChild<QLineEdit *>(QStringLiteral("historySearch"));
    auto *status = m_window->findChild<QLabel *>(QStringLiteral("historyStatus"));
    QTest::keyClicks(search, QStringLiteral("sleep"));
    QTRY_COMPARE(table()->model()->rowCount(), 1);
    QCOMPARE(table()->model()->index(0, 0).data().toString(), QStringLiteral("cat.png"));
    QTest::keyClicks(search, QStringLiteral("less"));
    QTRY_COMPARE(table()->model()->rowCount(), 0);
    QCOMPARE(status->text(), QStringLiteral("Nothing found for sleepless."));
    QTest::keyClick(search, Qt::Key_Escape);
    QTRY_COMPARE(table()->model()->rowCount(), 2);
    QVERIFY(m_window->isVisible()); // the first Escape only empties the search
}

void tst_HistoryWindow::copies_data()
{
    QTest::addColumn<QString>("entry"); // in the copy button's menu; empty: Ctrl+C
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("text");

    QTest::newRow("Ctrl+C") << "" << QList<int>{0} << "http://img.example/i/b.png";
    QTest::newRow("link, two rows") << "Link" << QList<int>{0, 2}
                                    << "http://img.example/i/b.png\nhttp://img.example/i/a.png";
    QTest::newRow("failed row skipped") << "Link" << QList<int>{1, 2} << "http://img.example/i/a.png";
    QTest::newRow("markdown") << "Markdown image" << QList<int>{2} << "![cat](http://img.example/i/a.png)";
    QTest::newRow("html") << "HTML image" << QList<int>{0} << "<img src=\"http://img.example/i/b.png\" alt=\"b.png\">";
    QTest::newRow("bbcode thumbnail") << "BBCode thumbnail with link" << QList<int>{0}
                                      << "[url=http://img.example/i/b.png][img]http://img.example/t/b.png[/img][/url]";
}

void tst_HistoryWindow::copies()
{
    QFETCH(QString, entry);
    QFETCH(QList<int>, rows);
    QFETCH(QString, text);

    HistoryRecord failed = upload(QStringLiteral("x.png"), 2);
    failed.link.clear();
    failed.failure = QStringLiteral("no");
    open({upload(QStringLiteral("a.png"), 1, QStringLiteral("cat")), failed, upload(QStringLiteral("b.png"), 3)});
    // Rows: b.png, x.png (failed), a.png.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    select(rows);
    if (entry.isEmpty()) {
        table()->setFocus();
        QTest::keySequence(table(), QKeySequence::Copy);
    } else {
        auto *menu = m_window->findChild<QMenu *>(QStringLiteral("historyFormats"));
        const QList<QAction *> actions = menu->actions();
        const auto found = std::find_if(actions.begin(), actions.end(), [&entry](QAction *a) { return a->text() == entry; });
        QVERIFY(found != actions.end());
        (*found)->trigger();
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
}

void tst_HistoryWindow::opensLinks_data()
{
    QTest::addColumn<bool>("deletion");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("opened");

    QTest::newRow("link") << false << QMessageBox::NoButton << "http://img.example/i/a.png";
    QTest::newRow("deletion link, yes") << true << QMessageBox::Yes << "http://img.example/delete/a.png";
    QTest::newRow("deletion link, no") << true << QMessageBox::No << "";
}

void tst_HistoryWindow::opensLinks()
{
    QFETCH(bool, deletion);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, opened);

    open({upload(QStringLiteral("a.png"), 1)});
    UrlCatcher desktop;
    select({0});
    if (deletion) {
        const auto asked = ::answer(answer);
        m_window->findChild<QAction *>(QStringLiteral("historyOpenDeletion"))->trigger();
    } else {
        // Enter on the row, as a double-click would.
        table()->selectionModel()->setCurrentIndex(table()->model()->index(0, 1), QItemSelectionModel::NoUpdate);
        QTest::keyClick(table(), Qt::Key_Return);
    }
    QCOMPARE(desktop.opened, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)});
}

void tst_HistoryWindow::uploadsAgain()
{
    const QString there = testutil::writeImage(m_dir->filePath(QStringLiteral("there.png")), 8, 8);
    HistoryRecord kept = upload(QStringLiteral("there.png"), 2, QStringLiteral("again"));
    kept.filePath = there;
    open({upload(QStringLiteral("gone.png"), 1), kept});
    QSignalSpy again(m_window, &HistoryWindow::uploadAgain);
    auto *action = m_window->findChild<QAction *>(QStringLiteral("historyUploadAgain"));

    select({1}); // gone.png
    QVERIFY(!action->isEnabled());
    select({0, 1});
    QVERIFY(action->isEnabled());
    action->trigger();
    QCOMPARE(again.size(), 1);
    QCOMPARE(again.at(0).at(0).toString(), there);
    QCOMPARE(again.at(0).at(1).toString(), QStringLiteral("again"));
    QCOMPARE(m_window->statusText(), QStringLiteral("The file is no longer there."));
}

void tst_HistoryWindow::removesAndClears()
{
    open({upload(QStringLiteral("a.png"), 1), upload(QStringLiteral("b.png"), 2), upload(QStringLiteral("c.png"), 3)});
    select({1});
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_Delete);
    QCOMPARE(table()->model()->rowCount(), 2);
    QTRY_VERIFY(m_store->isIdle());
    QStringList left;
    for (const HistoryRecord &record : m_store->read(QString()))
        left.append(record.fileName);
    QCOMPARE(left, (QStringList{"c.png", "a.png"}));

    auto *clear = m_window->findChild<QAction *>(QStringLiteral("historyClear"));
    {
        const auto no = answer(QMessageBox::No);
        clear->trigger();
    }
    QCOMPARE(table()->model()->rowCount(), 2);
    {
        const auto yes = answer(QMessageBox::Yes);
        clear->trigger();
    }
    QCOMPARE(table()->model()->rowCount(), 0);
    QTRY_VERIFY(m_store->isIdle());
    QVERIFY(m_store->read(QString()).isEmpty());
    QCOMPARE(m_window->statusText(), QStringLiteral("No uploads yet."));
}

void tst_HistoryWindow::pagesAndThumbnails()
{
    QList<HistoryRecord> many;
    for (int i = 0; i < 1000; ++i)
        many.append(upload(QStringLiteral("p%1.png").arg(i), i % 60));
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(Qt::red);
    open(many, picture);
    auto *model = m_window->model();
    QCOMPARE(model->rowCount(), tarvello::HistoryModel::pageSize);
    QTRY_VERIFY(model->thumbnailsDecoded() > 0);
    // Only the rows on screen, however many are loaded.
    QVERIFY2(model->thumbnailsDecoded() <= table()->viewport()->height() / 68 + 2,
             QByteArray::number(model->thumbnailsDecoded()));
    table()->scrollToBottom();
    QTRY_VERIFY(model->rowCount() > tarvello::HistoryModel::pageSize);
    QCOMPARE(model->record(tarvello::HistoryModel::pageSize).fileName, QStringLiteral("p899.png"));
}

void tst_HistoryWindow::faultShown()
{
    QFile plain(m_dir->filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    m_store = std::make_unique<HistoryStore>(plain.fileName() + QStringLiteral("/history.sqlite"));
    QTRY_COMPARE(m_store->fault(), tarvello::HistoryFault::CannotOpen);
    m_window = HistoryWindow::showFor(m_parent.get(), m_store.get());
    QCOMPARE(m_window->statusText(), QStringLiteral("No upload history: %1 cannot be opened.")
                                             .arg(QFileInfo(plain.fileName()).path() + QStringLiteral("/plain/history.sqlite")));
    QCOMPARE(table()->model()->rowCount(), 0);
}

QTEST_MAIN(tst_HistoryWindow)
#include "tst_historywindow.moc"
