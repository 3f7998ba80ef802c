// The window in everyday use, driven through real keys and clicks: the highlighted row is the one
// edited, every action has a key, closing asks while uploads run, failures and the queue's state
// are shown, rows can be removed, and files that cannot be used say so at once.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "base/image.h"
#include "gui/mw.h"
#include "gui/progressdelegate.h"
#include "gui/texts.h"
#include "capture.h"
#include "testutil.h"
#include "urlcatcher.h"

class tst_Everyday : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keysMoveTheEditTarget();
    void keysOnCells_data();
    void keysOnCells();
    void tabOrder();
    void shortcuts_data();
    void shortcuts();
    void closeWhileUploading_data();
    void closeWhileUploading();
    void failuresAndSummary();
    void menuActsOnTheSelection();
    void newRowIsTheOneShown();
    void notices_data();
    void notices();
    void progressOnAnyRow_data();
    void progressOnAnyRow();
    void remove_data();
    void remove();
    void unusableFiles_data();
    void unusableFiles();
    void wideWindow();

private:
    QTableWidget *table() const { return m_window->findChild<QTableWidget *>(); }
    QLabel *preview() const { return m_window->findChild<QLabel *>(QStringLiteral("label")); }
    QString statusLine() const { return m_window->findChild<QLabel *>(QStringLiteral("statusLine"))->text(); }
    void add(const QString &name, int w, int h)
    {
        m_window->addObj(testutil::writeImage(m_dir.filePath(name), w, h));
    }
    void click(int row, int column)
    {
        const QRect cell = table()->visualRect(table()->model()->index(row, column));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(table(), k, mods); }
    void respondAll(const QByteArray &response)
    {
        for (int i = 0; i < m_server->requests.size(); ++i)
            m_server->respond(i, response);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CaptureServer> m_server;
    std::unique_ptr<mw> m_window;
};

void tst_Everyday::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    QDir().mkdir(QStringLiteral("tmp"));
    qputenv("TMPDIR", QFile::encodeName(m_dir.filePath(QStringLiteral("tmp"))));
}

void tst_Everyday::init()
{
    m_server = std::make_unique<CaptureServer>();
    QVERIFY(m_server->listen());
    qputenv("TARVELLO_HOST", m_server->hostPort().toLatin1());
    m_window = std::make_unique<mw>();
    add(QStringLiteral("wide.png"), 40, 10);
    add(QStringLiteral("tall.png"), 10, 40);
    add(QStringLiteral("square.png"), 20, 20);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    table()->setFocus();
}

void tst_Everyday::cleanup()
{
    m_window.reset();
    m_server.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Everyday::keysMoveTheEditTarget()
{
    // Adding made the last row current without putting its picture up.
    const qint64 banner = preview()->pixmap().cacheKey();
    QCOMPARE(table()->currentRow(), 2);
    QCOMPARE(m_window->selected(), &m_window->entries().at(2));

    click(0, 0);
    key(Qt::Key_Down);
    QCOMPARE(table()->currentRow(), 1);
    QCOMPARE(m_window->selected(), &m_window->entries().at(1));
    QTRY_COMPARE(preview()->pixmap().size(), QSize(42, 170));
    QVERIFY(preview()->pixmap().cacheKey() != banner);

    const QString before = m_window->entries().at(0).file;
    m_window->findChild<QPushButton *>(QStringLiteral("cw90"))->click();
    QTRY_VERIFY(testutil::savesDone(m_window.get()));
    QCOMPARE(m_window->entries().at(1).pix.size(), QSize(40, 10));
    QCOMPARE(m_window->entries().at(0).file, before);
    QVERIFY(m_window->entries().at(0).pix.isNull());

    key(Qt::Key_Up);
    QCOMPARE(m_window->selected(), &m_window->entries().at(0));
    QTRY_COMPARE(preview()->pixmap().size(), QSize(330, 82));

    // A new entry becomes the edit target, and the picture shown is its own.
    add(QStringLiteral("fourth.png"), 8, 8);
    QTRY_COMPARE(table()->currentRow(), 3);
    QCOMPARE(m_window->selected(), &m_window->entries().at(3));
    QTRY_COMPARE(preview()->pixmap().size(), tarvello::previewSizeOf(QSize(8, 8)));
}

void tst_Everyday::keysOnCells_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("sends");
    QTest::addColumn<bool>("asks");

    QTest::newRow("Enter on Upload") << 1 << int(Qt::Key_Return) << true << false;
    QTest::newRow("keypad Enter on Upload") << 1 << int(Qt::Key_Enter) << true << false;
    QTest::newRow("Space on Upload") << 1 << int(Qt::Key_Space) << true << false;
    QTest::newRow("Enter on Description") << 2 << int(Qt::Key_Return) << false << true;
    QTest::newRow("Space on Description") << 2 << int(Qt::Key_Space) << false << true;
    QTest::newRow("F2 on Description") << 2 << int(Qt::Key_F2) << false << true;
    QTest::newRow("Enter on Filename") << 0 << int(Qt::Key_Return) << false << false;
}

void tst_Everyday::keysOnCells()
{
    QFETCH(int, column);
    QFETCH(int, key);
    QFETCH(bool, sends);
    QFETCH(bool, asks);

    click(1, 0);
    for (int i = 0; i < column; ++i)
        this->key(Qt::Key_Right);
    QCOMPARE(table()->currentColumn(), column);

    QSignalSpy sent(testutil::uploaderOf(m_window.get()), &tarvello::Uploader::started);
    QString shown;
    const testutil::ModalAnswer dialog([&shown](QWidget *modal) {
        auto *edit = modal->findChild<QLineEdit *>();
        shown = edit->text();
        edit->setText(QStringLiteral("by keys"));
        static_cast<QDialog *>(modal)->accept();
    }, asks ? testutil::ModalAnswer::Expected : testutil::ModalAnswer::NotExpected);
    this->key(Qt::Key(key));

    QCOMPARE(sent.size(), sends ? 1 : 0);
    QCOMPARE(m_window->entries().at(1).state, qint16(sends ? 1 : 0));
    if (sends) {
        QTRY_COMPARE(m_server->requests.size(), 1);
        QVERIFY(m_server->requests.at(0).body.contains("filename=\"tall.png\""));
        // The same key again on an upload under way sends nothing more.
        this->key(Qt::Key(key));
        QCOMPARE(sent.size(), 1);
    }
    QCOMPARE(m_window->entries().at(1).desc, asks ? QStringLiteral("by keys") : QString());
    QCOMPARE(shown, QString());
    QCOMPARE(m_window->selected(), &m_window->entries().at(1));
}

void tst_Everyday::tabOrder()
{
    // Tab leaves the table for the next widget instead of walking its cells (the whole order:
    // tst_window's tabFollowsTheEye).
    click(0, 0);
    QCOMPARE(QApplication::focusWidget(), table());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("checkBox_2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), table());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("checkBox"));
}

void tst_Everyday::shortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("effect");

    QTest::newRow("Ctrl+O") << int(Qt::Key_O) << int(Qt::ControlModifier) << "browse";
    QTest::newRow("Ctrl+Shift+U") << int(Qt::Key_U) << int(Qt::ControlModifier | Qt::ShiftModifier) << "upload all";
    QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << int(Qt::ControlModifier) << "close";
    QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier) << "menu";
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << "menu";
}

void tst_Everyday::shortcuts()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, effect);

    click(1, 0);
    QSignalSpy sent(testutil::uploaderOf(m_window.get()), &tarvello::Uploader::started);
    QString dialogTitle;
    const testutil::ModalAnswer dialog([&dialogTitle](QWidget *modal) {
        dialogTitle = modal->windowTitle();
        static_cast<QDialog *>(modal)->reject();
    }, effect == QLatin1String("browse") ? testutil::ModalAnswer::Expected : testutil::ModalAnswer::NotExpected);
    this->key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(dialogTitle, effect == QLatin1String("browse") ? QStringLiteral("Open Image") : QString());
    QCOMPARE(sent.size(), effect == QLatin1String("upload all") ? 3 : 0);
    QCOMPARE(m_window->isVisible(), effect != QLatin1String("close"));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QCOMPARE(menu != nullptr, effect == QLatin1String("menu"));
    if (menu) {
        // The menu is for the current row, and opens over it.
        QAction *remove = nullptr;
        for (QAction *action : menu->actions())
            remove = action->text() == QLatin1String("Remove") ? action : remove;
        QVERIFY(remove && remove->isEnabled());
        const QRect cell = table()->visualRect(table()->model()->index(1, 0));
        QVERIFY(cell.contains(table()->viewport()->mapFromGlobal(menu->pos())));
        remove->trigger();
        menu->close();
        QVERIFY(table()->isRowHidden(1));
    }
}

void tst_Everyday::closeWhileUploading_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("wait") << "Wait";
    QTest::newRow("escape") << "";
    QTest::newRow("quit") << "Quit";
}

void tst_Everyday::closeWhileUploading()
{
    QFETCH(QString, answer);

    QImage picture(5, 5, QImage::Format_RGB32);
    picture.fill(Qt::cyan);
    QGuiApplication::clipboard()->setImage(picture);
    m_window->clipb();
    const QString temp = m_window->entries().at(3).file;
    QVERIFY(QFile::exists(temp));
    m_window->handleclick(0, 1);
    m_window->handleclick(3, 1);
    QTRY_COMPARE(m_server->requests.size(), 2);

    QString text;
    QString defaultButton;
    {
        const testutil::ModalAnswer question([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            text = box->text();
            defaultButton = box->defaultButton()->text();
            if (answer.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == answer)
                    button->click();
            }
        });
        QTest::keyClick(table(), Qt::Key_Q, Qt::ControlModifier);
    }
    QCOMPARE(text, QStringLiteral("2 uploads are still running. Quit anyway?"));
    QCOMPARE(defaultButton, QStringLiteral("Wait"));

    if (answer == QLatin1String("Quit")) {
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_window->entries().at(0).state, qint16(2));
        QCOMPARE(m_window->entries().at(3).state, qint16(2));
        QCOMPARE(testutil::uploaderOf(m_window.get())->pending(), 0);
        QVERIFY(!QFile::exists(temp));
        return;
    }
    QVERIFY(m_window->isVisible());
    QVERIFY(QFile::exists(temp));
    respondAll(CaptureServer::httpResponse("http://h/done"));
    QTRY_COMPARE(m_window->entries().at(0).state, qint16(2));
    QTRY_COMPARE(m_window->entries().at(3).state, qint16(2));
    QCOMPARE(table()->item(0, 1)->text(), QStringLiteral("http://h/done"));

    // Nothing left running: closing asks nothing.
    const testutil::ModalAnswer none([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); },
                                     testutil::ModalAnswer::NotExpected);
    QVERIFY(m_window->close());
}

void tst_Everyday::failuresAndSummary()
{
    QTRY_COMPARE(statusLine(), QStringLiteral("3 waiting"));
    m_window->handleclick(0, 1);
    m_window->handleclick(1, 1);
    QTRY_COMPARE(statusLine(), QStringLiteral("2 uploading, 1 waiting"));
    QTRY_COMPARE(m_server->requests.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const bool wide = m_server->requests.at(i).body.contains("wide.png");
        m_server->respond(i, wide ? CaptureServer::httpResponse("http://h/w") : CaptureServer::httpResponse("no", 500));
    }
    QTRY_COMPARE(m_window->entries().at(1).state, qint16(2));
    QTRY_COMPARE(m_window->entries().at(0).state, qint16(2));
    // The batch's one link went to the clipboard: the line says so first, for a few seconds.
    QTRY_COMPARE_WITH_TIMEOUT(statusLine(), QStringLiteral("1 uploaded, 1 failed, 1 waiting"), 15000);

    QTableWidgetItem *failed = table()->item(1, 1);
    QCOMPARE(failed->text(), QStringLiteral("failed"));
    QVERIFY(!failed->icon().isNull());
    QCOMPARE(failed->foreground().color(), tarvello::errorColour(table()->palette()));
    QTableWidgetItem *linked = table()->item(0, 1);
    QVERIFY(linked->icon().isNull());
    QVERIFY(!linked->data(Qt::ForegroundRole).isValid());

    // The error colour reads on either kind of palette.
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    for (const QPalette &palette : {dark, light}) {
        const QColor colour = tarvello::errorColour(palette);
        QVERIFY(colour.red() > 2 * colour.green());
        QVERIFY(qAbs(colour.lightness() - palette.color(QPalette::Base).lightness()) > 90);
    }
}

// Upload again from the menu sends every selected row; failed rows sent again leave the summary.
void tst_Everyday::menuActsOnTheSelection()
{
    for (int row = 0; row < 3; ++row)
        m_window->handleclick(row, 1);
    QTRY_COMPARE(m_server->requests.size(), 3);
    respondAll(CaptureServer::httpResponse("no", 500));
    QTRY_COMPARE_WITH_TIMEOUT(statusLine(), QStringLiteral("3 failed"), 15000);

    click(0, 0);
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      table()->visualRect(table()->model()->index(2, 0)).center());
    emit table()->customContextMenuRequested(table()->visualRect(table()->model()->index(2, 0)).center());
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QStringList keys;
    for (QAction *action : menu->actions()) {
        if (action->text() == QLatin1String("Upload again"))
            action->trigger();
        if (!action->shortcut().isEmpty())
            keys.append(action->text());
    }
    menu->close();
    QCOMPARE(keys, (QStringList{"Copy link", "Remove", "Retry failed"}));
    QCOMPARE(m_window->entries().size(), 5);
    QVERIFY(table()->isRowHidden(0) && table()->isRowHidden(2) && !table()->isRowHidden(1));
    QTRY_COMPARE(statusLine(), QStringLiteral("1 failed, 2 uploading"));

    // Ctrl+R sends the one failed row left.
    m_window->activateWindow(); // the closed menu does not hand the activation back offscreen
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    key(Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(m_window->entries().size(), 6);
    QTRY_COMPARE(statusLine(), QStringLiteral("3 uploading"));
}

// Rows added in a batch: the last is highlighted, alone, and its picture is the one shown.
void tst_Everyday::newRowIsTheOneShown()
{
    click(0, 0);
    m_window->addPaths({testutil::writeImage(m_dir.filePath(QStringLiteral("a.png")), 30, 10),
                        testutil::writeImage(m_dir.filePath(QStringLiteral("b.png")), 10, 30)});
    QTRY_COMPARE(m_window->entries().size(), 5);
    QTRY_COMPARE(table()->currentRow(), 4);
    const QModelIndexList rows = table()->selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().row(), 4);
    auto *label = m_window->findChild<QLabel *>(QStringLiteral("label"));
    QTRY_COMPARE(label->pixmap().size(), tarvello::previewSizeOf(QSize(10, 30)));
}

void tst_Everyday::notices_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("notice");

    QTest::newRow("copy link") << "copy" << "Link copied";
    QTest::newRow("no image on the clipboard") << "clipboard" << "The clipboard holds no image.";
    QTest::newRow("no browser") << "open" << "No browser could open the link; it was copied instead.";
    QTest::newRow("unreadable file") << "add" << "gone.png cannot be used: The file does not exist.";
}

void tst_Everyday::notices()
{
    QFETCH(QString, action);
    QFETCH(QString, notice);

    m_window->handleclick(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    m_server->respond(0, CaptureServer::httpResponse("http://h/w"));
    QTRY_COMPARE(m_window->entries().at(0).state, qint16(2));
    const QString summary = statusLine();
    QGuiApplication::clipboard()->clear();

    // A handler that cannot be called stands for a desktop without a browser.
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "noSuchSlot");
    if (action == QLatin1String("copy")) {
        click(0, 0);
        key(Qt::Key_C, Qt::ControlModifier);
    } else if (action == QLatin1String("clipboard")) {
        m_window->clipb();
    } else if (action == QLatin1String("open")) {
        m_window->handledclick(0, 1);
    } else {
        m_window->addObj(m_dir.filePath(QStringLiteral("gone.png")));
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));

    QCOMPARE(m_window->lastNotice(), notice);
    QCOMPARE(statusLine(), notice);
    if (action == QLatin1String("copy") || action == QLatin1String("open"))
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("http://h/w"));
    // The summary comes back with the next change of the queue.
    m_window->handleclick(1, 1);
    QTRY_VERIFY(statusLine().contains(QLatin1String("1 uploading")));
    QVERIFY(statusLine() != notice);
    QVERIFY(statusLine() != summary);
}

void tst_Everyday::progressOnAnyRow_data()
{
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("highlight");
    QTest::addColumn<bool>("selected");

    const QColor lightBase(Qt::white), darkBase(35, 35, 35), blue(48, 140, 198);
    QTest::newRow("light, unselected") << lightBase << QColor(Qt::black) << blue << false;
    QTest::newRow("light, selected") << lightBase << QColor(Qt::black) << blue << true;
    QTest::newRow("dark, unselected") << darkBase << QColor(Qt::white) << blue << false;
    QTest::newRow("dark, selected") << darkBase << QColor(Qt::white) << blue << true;
}

void tst_Everyday::progressOnAnyRow()
{
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    QFETCH(QColor, highlight);
    QFETCH(bool, selected);

    QCOMPARE(tarvello::ProgressDelegate::percentText(0.426), QStringLiteral("42%"));
    QCOMPARE(tarvello::ProgressDelegate::percentText(0.999), QStringLiteral("99%"));

    tarvello::ProgressDelegate delegate;
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), QStringLiteral("Uploading..."));
    model.setData(model.index(0, 0), 0.9, tarvello::UploadProgressRole);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 240, 30);
    option.state = QStyle::State_Enabled | QStyle::State_Active | (selected ? QStyle::State_Selected : QStyle::State_None);
    option.palette.setColor(QPalette::Base, base);
    option.palette.setColor(QPalette::Text, text);
    option.palette.setColor(QPalette::Highlight, highlight);
    option.palette.setColor(QPalette::HighlightedText, Qt::white);
    QImage canvas(240, 30, QImage::Format_ARGB32);
    canvas.fill(base);
    {
        QPainter painter(&canvas);
        delegate.paint(&painter, option, model.index(0, 0));
    }
    const QColor sentPart = canvas.pixelColor(150, 5);
    const QColor restPart = canvas.pixelColor(228, 5);
    const int contrast = qAbs(sentPart.lightness() - restPart.lightness()) + qAbs(sentPart.hue() - restPart.hue());
    QVERIFY2(contrast >= 25, qPrintable(sentPart.name() + QLatin1Char(' ') + restPart.name()));
    // The percentage is painted: the cell is not the same without it.
    QImage without(canvas.size(), canvas.format());
    without.fill(base);
    model.setData(model.index(0, 0), 0.5, tarvello::UploadProgressRole);
    {
        QPainter painter(&without);
        delegate.paint(&painter, option, model.index(0, 0));
    }
    QVERIFY(canvas.copy(60, 0, 60, 30) != without.copy(60, 0, 60, 30));
}

void tst_Everyday::remove_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("state");

    QTest::newRow("menu, waiting") << "menu" << "waiting";
    QTest::newRow("Delete, running") << "Delete" << "running";
    QTest::newRow("Delete, queued") << "Delete" << "queued";
    QTest::newRow("Delete, focus on a button") << "Delete on a button" << "waiting";
}

void tst_Everyday::remove()
{
    QFETCH(QString, how);
    QFETCH(QString, state);

    tarvello::Uploader *uploader = testutil::uploaderOf(m_window.get());
    int target = 1;
    if (state == QLatin1String("running")) {
        m_window->handleclick(1, 1);
        QTRY_COMPARE(m_server->requests.size(), 1);
    } else if (state == QLatin1String("queued")) {
        for (int i = 0; i < tarvello::Uploader::maxInFlight; ++i)
            add(QStringLiteral("busy%1.png").arg(i), 4, 4);
        for (int row = 3; row < 3 + tarvello::Uploader::maxInFlight; ++row)
            m_window->handleclick(row, 1);
        m_window->handleclick(1, 1);
        QCOMPARE(uploader->pending(), tarvello::Uploader::maxInFlight + 1);
    }
    QSignalSpy sent(uploader, &tarvello::Uploader::started);
    const int pendingBefore = uploader->pending();

    click(target, 0);
    if (how == QLatin1String("Delete")) {
        key(Qt::Key_Delete);
    } else if (how == QLatin1String("Delete on a button")) {
        auto *button = m_window->findChild<QPushButton *>(QStringLiteral("uploadfile"));
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Delete);
    } else {
        emit table()->customContextMenuRequested(table()->visualRect(table()->model()->index(target, 0)).center());
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            if (action->text() == QLatin1String("Remove"))
                action->trigger();
        }
        menu->close();
    }

    QVERIFY(table()->isRowHidden(target));
    QCOMPARE(table()->rowCount(), m_window->entries().size());
    QVERIFY(m_window->entries().at(target).state != 1);
    QCOMPARE(uploader->pending(), pendingBefore - (state == QLatin1String("waiting") ? 0 : 1));
    // The highlight, the edit target and the picture moved on to the next row.
    QCOMPARE(table()->currentRow(), target + 1);
    QCOMPARE(m_window->selected(), &m_window->entries().at(target + 1));

    // Upload All and the summary pass it over.
    sent.clear();
    m_window->uploadall();
    for (const QList<QVariant> &start : std::as_const(sent))
        QVERIFY(start.at(0).toInt() != target);
    QVERIFY(!statusLine().contains(QLatin1String("failed")));
    m_window->handleclick(target, 1);
    QVERIFY(m_window->entries().at(target).state != 1);
}

void tst_Everyday::unusableFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << "gone.png" << "The file does not exist.";
    QTest::newRow("folder") << "folder" << "This is a folder, not a file.";
    QTest::newRow("not an image") << "notes.txt" << "This is not an image the program can read.";
}

void tst_Everyday::unusableFiles()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QDir().mkpath(m_dir.filePath(QStringLiteral("folder")));
    {
        QFile notes(m_dir.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("plain words\n");
    }
    const QString path = m_dir.filePath(name);
    m_window->addObj(path);
    QTableWidgetItem *cell = table()->item(3, 0);
    QCOMPARE(cell->text(), name);
    // What the folder tells shows at once; "not an image" once the preview was tried.
    QTRY_VERIFY(!cell->icon().isNull());
    QCOMPARE(cell->toolTip(), path + QLatin1Char('\n') + reason);
    QVERIFY(table()->item(0, 0)->icon().isNull());
    QCOMPARE(table()->item(0, 0)->toolTip(), m_dir.filePath(QStringLiteral("wide.png")));

    // Asked to go, it fails with the local cause, and nothing is sent.
    m_window->handleclick(3, 1);
    QCOMPARE(m_window->entries().at(3).state, qint16(2));
    QVERIFY(m_server->requests.isEmpty());
    // The reason, then where it was to go.
    QCOMPARE(table()->item(3, 1)->toolTip().section(QLatin1Char('\n'), 0, 0), reason);
    QVERIFY(table()->item(3, 1)->toolTip().endsWith(QLatin1String("Destination: Built-in host (") + qEnvironmentVariable("TARVELLO_HOST") + QLatin1Char(')')));
}

void tst_Everyday::wideWindow()
{
    m_window->resize(1600, 700);
    QTRY_VERIFY(table()->viewport()->width() > 1400);
    const int width = table()->viewport()->width();
    for (int column = 0; column < 3; ++column) {
        const int share = table()->columnWidth(column) * 100 / width;
        QVERIFY2(share >= 20 && share <= 45, qPrintable(QString::number(share)));
    }
}

QTEST_MAIN(tst_Everyday)
#include "tst_everyday.moc"
