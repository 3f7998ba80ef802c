// The window as it opens: its widgets, texts, meta-object interface and remembered login.

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include "gui/mw.h"
#include "base/commandline.h"
#include "gui/mwui.h"
#include "gui/drop.h"
#include "testutil.h"

class tst_Window : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void resources();
    void widgetTree_data();
    void widgetTree();
    void texts_data();
    void texts();
    void startState();
    void queueTakesTheHeight();
    void tabFollowsTheEye_data();
    void tabFollowsTheEye();
    void placement_data();
    void placement();
    void formKeepsGivenName();
    void slotOrder();
    void slotsInvokedByName();
    void metacast();
    void credAndFin();
    void credentialRestore_data();
    void credentialRestore();
    void argumentPaths_data();
    void argumentPaths();

private:
    QTemporaryDir m_dir;
};

void tst_Window::init()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    QFile::remove(QStringLiteral("tarvello.ini"));
}

void tst_Window::resources()
{
    const QImage icon(QStringLiteral(":/tarvello/icon.png"));
    const QImage logo(QStringLiteral(":/tarvello/zor.png"));
    QCOMPARE(icon.size(), QSize(31, 31));
    QCOMPARE(logo.size(), QSize(168, 32));
    QVERIFY(icon.hasAlphaChannel());
    QVERIFY(logo.hasAlphaChannel());

    mw window;
    QVERIFY(!window.windowIcon().isNull());
    const auto *label = window.findChild<QLabel *>(QStringLiteral("label"));
    QVERIFY(label);
    QCOMPARE(label->pixmap().size(), QSize(168, 32));
    QVERIFY(label->text().isEmpty()); // the empty text did not clear the banner
}

void tst_Window::widgetTree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");

    const char *tree[][3] = {
        {"gridLayout_3", "QGridLayout", "mw"},
        {"groupBox", "QGroupBox", "mw"},
        {"gridLayout_4", "QGridLayout", "groupBox"},
        {"label", "drop", "groupBox"},
        {"browsefiles", "QPushButton", "groupBox"},
        {"screens", "QPushButton", "groupBox"},
        {"clipb", "QPushButton", "groupBox"},
        {"groupBox_3", "QGroupBox", "groupBox"},
        {"gridLayout_2", "QGridLayout", "groupBox_3"},
        {"label_3", "QLabel", "groupBox_3"},
        {"usr", "QLineEdit", "groupBox_3"},
        {"label_4", "QLabel", "groupBox_3"},
        {"pw", "QLineEdit", "groupBox_3"},
        {"checkBox", "QCheckBox", "groupBox_3"},
        {"groupBox_4", "QGroupBox", "groupBox"},
        {"gridLayout_5", "QGridLayout", "groupBox_4"},
        {"cw90", "QPushButton", "groupBox_4"},
        {"ccw90", "QPushButton", "groupBox_4"},
        {"rot180", "QPushButton", "groupBox_4"},
        {"fliph", "QPushButton", "groupBox_4"},
        {"flipv", "QPushButton", "groupBox_4"},
        {"groupBox_2", "QGroupBox", "mw"},
        {"gridLayout", "QGridLayout", "groupBox_2"},
        {"uploadfile", "QPushButton", "groupBox_2"},
        {"tableWidget", "QTableWidget", "groupBox_2"},
        {"checkBox_2", "QCheckBox", "groupBox_2"},
        {"label_2", "QLabel", "mw"},
    };
    for (const auto &row : tree)
        QTest::newRow(row[0]) << row[0] << row[1] << row[2];
}

void tst_Window::widgetTree()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);

    mw window;
    QCOMPARE(window.objectName(), QStringLiteral("mw"));
    const QList<QObject *> found = window.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first()->metaObject()->className(), className.toLatin1());
    QCOMPARE(found.first()->parent()->objectName(), parentName);
}

void tst_Window::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("groupBox") << "groupBox" << "Upload";
    QTest::newRow("browsefiles") << "browsefiles" << "Browse";
    QTest::newRow("screens") << "screens" << "Screenshot";
    QTest::newRow("clipb") << "clipb" << "Clipboard";
    QTest::newRow("groupBox_3") << "groupBox_3" << "Login (not required)";
    QTest::newRow("label_3") << "label_3" << "Username";
    QTest::newRow("label_4") << "label_4" << "Password";
    QTest::newRow("checkBox") << "checkBox" << "Remember me (saves creds. as plaintext)";
    QTest::newRow("groupBox_4") << "groupBox_4" << "Modify image";
    QTest::newRow("cw90") << "cw90" << "Rotate 90 deg CW";
    QTest::newRow("ccw90") << "ccw90" << "Rotate 90 deg CCW";
    QTest::newRow("rot180") << "rot180" << "Rotate 180 deg";
    QTest::newRow("fliph") << "fliph" << "Flip horizontally";
    QTest::newRow("flipv") << "flipv" << "Flip vertically";
    QTest::newRow("groupBox_2") << "groupBox_2" << "Upload status";
    QTest::newRow("uploadfile") << "uploadfile" << "Upload All";
    QTest::newRow("checkBox_2") << "checkBox_2" << "Auto Upload";
}

void tst_Window::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    mw window;
    QObject *widget = window.findChild<QObject *>(name);
    QVERIFY(widget);
    const char *property = qobject_cast<QGroupBox *>(widget) ? "title" : "text";
    QCOMPARE(widget->property(property).toString(), text);
}

void tst_Window::startState()
{
    mw window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarvello uploader"));
    QCOMPARE(window.size(), QSize(380, 695));
    QVERIFY(!window.acceptDrops());

    auto *label = window.findChild<drop *>(QStringLiteral("label"));
    QVERIFY(label->acceptDrops());
    QCOMPARE(label->sizeHint(), QSize(330, 170));
    QCOMPARE(label->alignment(), Qt::AlignCenter);

    for (const char *name : {"cw90", "ccw90", "rot180", "fliph", "flipv"})
        QVERIFY2(!window.findChild<QPushButton *>(name)->isEnabled(), name);
    QVERIFY(window.findChild<QPushButton *>(QStringLiteral("uploadfile"))->isEnabled());

    auto *pw = window.findChild<QLineEdit *>(QStringLiteral("pw"));
    QCOMPARE(pw->echoMode(), QLineEdit::Password);
    QVERIFY(!window.findChild<QCheckBox *>(QStringLiteral("checkBox"))->isChecked());
    QVERIFY(!window.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->isChecked());

    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    QCOMPARE(table->columnCount(), 3);
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(table->showGrid());
    const QStringList headers = {QStringLiteral("Filename"), QStringLiteral("Upload"), QStringLiteral("Description")};
    for (int column = 0; column < 3; ++column)
        QCOMPARE(table->horizontalHeaderItem(column)->text(), headers.at(column));

    auto *credit = window.findChild<QLabel *>(QStringLiteral("label_2"));
    QCOMPARE(credit->textFormat(), Qt::RichText);
    QCOMPARE(credit->alignment(), Qt::AlignCenter);
    QTextDocument document;
    document.setHtml(credit->text());
    QVERIFY(document.toPlainText().trimmed().endsWith(QLatin1String("V3.0c")));

    QVERIFY(window.entries().isEmpty());
    QVERIFY(!window.selected());

    for (auto *layout : window.findChildren<QGridLayout *>()) {
        QCOMPARE(layout->spacing(), 6);
        QCOMPARE(layout->contentsMargins(), QMargins(11, 11, 11, 11));
    }
}

void tst_Window::placement_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("layoutName");
    QTest::addColumn<QList<int>>("cell"); // row, column, row span, column span

    QTest::newRow("label") << "label" << "gridLayout_4" << QList<int>{0, 0, 1, 3};
    QTest::newRow("groupBox_4") << "groupBox_4" << "gridLayout_4" << QList<int>{1, 0, 1, 3};
    QTest::newRow("browsefiles") << "browsefiles" << "gridLayout_4" << QList<int>{3, 0, 1, 1};
    QTest::newRow("screens") << "screens" << "gridLayout_4" << QList<int>{3, 1, 1, 1};
    QTest::newRow("clipb") << "clipb" << "gridLayout_4" << QList<int>{3, 2, 1, 1};
    QTest::newRow("groupBox_3") << "groupBox_3" << "gridLayout_4" << QList<int>{5, 0, 1, 3};
    QTest::newRow("checkBox") << "checkBox" << "gridLayout_2" << QList<int>{2, 0, 1, 2};
    QTest::newRow("pw") << "pw" << "gridLayout_2" << QList<int>{1, 1, 1, 1};
    QTest::newRow("flipv") << "flipv" << "gridLayout_5" << QList<int>{1, 1, 1, 1};
    QTest::newRow("tableWidget") << "tableWidget" << "gridLayout" << QList<int>{0, 0, 1, 2};
    QTest::newRow("checkBox_2") << "checkBox_2" << "gridLayout" << QList<int>{1, 0, 1, 1};
    QTest::newRow("uploadfile") << "uploadfile" << "gridLayout" << QList<int>{1, 1, 1, 1};
    QTest::newRow("groupBox") << "groupBox" << "gridLayout_3" << QList<int>{0, 0, 1, 2};
    QTest::newRow("groupBox_2") << "groupBox_2" << "gridLayout_3" << QList<int>{1, 0, 1, 2};
    QTest::newRow("label_2") << "label_2" << "gridLayout_3" << QList<int>{2, 0, 1, 2};
}

void tst_Window::placement()
{
    QFETCH(QString, name);
    QFETCH(QString, layoutName);
    QFETCH(QList<int>, cell);

    mw window;
    auto *layout = window.findChild<QGridLayout *>(layoutName);
    auto *widget = window.findChild<QWidget *>(name);
    const int index = layout->indexOf(widget);
    QVERIFY(index >= 0);
    int row, column, rowSpan, columnSpan;
    layout->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    QCOMPARE((QList<int>{row, column, rowSpan, columnSpan}), cell);
}

void tst_Window::formKeepsGivenName()
{
    QWidget named;
    named.setObjectName(QStringLiteral("other"));
    mwui form;
    form.setupUi(&named);
    QCOMPARE(named.objectName(), QStringLiteral("other"));
}

void tst_Window::slotOrder()
{
    const QStringList expected = {
        "fin()", "upload(QString,int)", "upload(QString)", "upload()", "browse()", "screens()",
        "clipb()", "cred(QString,QString)", "addObj(QString,bool)", "addObj(QString)",
        "objhanlde(int)", "handleclick(int,int)", "handledclick(int,int)", "uploadall()",
        "uploaddrop(QString)", "cw90()", "ccw90()", "rot180()", "fliph()", "flipv()",
    };
    const QMetaObject &meta = mw::staticMetaObject;
    QCOMPARE(meta.className(), "mw");
    QCOMPARE(meta.superClass(), &QWidget::staticMetaObject);
    QCOMPARE(meta.methodCount() - meta.methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod method = meta.method(meta.methodOffset() + i);
        QCOMPARE(QString::fromLatin1(method.methodSignature()), expected.at(i));
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Public);
    }
    QCOMPARE(meta.method(meta.indexOfMethod("cred(QString,QString)")).parameterNames(),
             (QList<QByteArray>{"u", "p"}));
    QCOMPARE(meta.method(meta.indexOfMethod("addObj(QString,bool)")).parameterNames(),
             (QList<QByteArray>{"file", "is_c"}));
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());

    const QMetaObject &dropMeta = drop::staticMetaObject;
    QCOMPARE(dropMeta.superClass(), &QLabel::staticMetaObject);
    QCOMPARE(dropMeta.methodCount() - dropMeta.methodOffset(), 1);
    const QMetaMethod img = dropMeta.method(dropMeta.methodOffset());
    QCOMPARE(img.methodSignature(), QByteArray("img(QString)"));
    QCOMPARE(img.methodType(), QMetaMethod::Signal);
}

void tst_Window::slotsInvokedByName()
{
    mw window;
    // The short forms of upload name no entry: nothing is sent and nothing breaks.
    QVERIFY(QMetaObject::invokeMethod(&window, "upload"));
    QVERIFY(QMetaObject::invokeMethod(&window, "upload", Q_ARG(QString, QStringLiteral("x.png"))));
    QVERIFY(window.entries().isEmpty());

    const QString path = testutil::writeImage(m_dir.filePath(QStringLiteral("a.png")), 4, 4);
    QVERIFY(QMetaObject::invokeMethod(&window, "addObj", Q_ARG(QString, path)));
    QCOMPARE(window.entries().size(), 1);
    QCOMPARE(window.entries().at(0).file, path);
    QVERIFY(!window.entries().at(0).temp);

    QVERIFY(QMetaObject::invokeMethod(&window, "uploaddrop", Q_ARG(QString, path)));
    QCOMPARE(window.entries().size(), 2);
    QVERIFY(!window.entries().at(1).temp);

    // Sent by name, a row is marked as any start marks it, so a click cannot send it again.
    qputenv("TARVELLO_HOST", "127.0.0.1:9");
    QSignalSpy sent(testutil::uploaderOf(&window), &tarvello::Uploader::started);
    QVERIFY(QMetaObject::invokeMethod(&window, "upload", Q_ARG(QString, path), Q_ARG(int, 0)));
    QCOMPARE(window.entries().at(0).state, tarvello::EntryState::Uploading);
    window.handleclick(0, 1);
    QCOMPARE(sent.size(), 1);
}

void tst_Window::metacast()
{
    mw window;
    QCOMPARE(window.qt_metacast("mw"), static_cast<void *>(&window));
    QCOMPARE(window.qt_metacast(nullptr), nullptr);
    QCOMPARE(window.qt_metacast("QWidget"), static_cast<void *>(static_cast<QWidget *>(&window)));
    QCOMPARE(window.qt_metacast("nothing"), nullptr);

    auto *label = window.findChild<drop *>(QStringLiteral("label"));
    QCOMPARE(label->qt_metacast("drop"), static_cast<void *>(label));
    QSignalSpy spy(label, &drop::img);
    QVERIFY(QMetaObject::invokeMethod(label, "img", Q_ARG(QString, QStringLiteral("/x/y.png"))));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/x/y.png"));
}

void tst_Window::credAndFin()
{
    mw window;
    QVERIFY(QMetaObject::invokeMethod(&window, "cred", Q_ARG(QString, QStringLiteral("ann")),
                                      Q_ARG(QString, QStringLiteral("s3cret"))));
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("usr"))->text(), QStringLiteral("ann"));
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("pw"))->text(), QStringLiteral("s3cret"));
    QVERIFY(!window.findChild<QCheckBox *>(QStringLiteral("checkBox"))->isChecked());
    QVERIFY(QMetaObject::invokeMethod(&window, "fin"));
    QVERIFY(window.entries().isEmpty());
}

void tst_Window::credentialRestore_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pw");
    QTest::addColumn<bool>("checked");

    QTest::newRow("both keys") << QByteArray("[General]\nuser=ann\npw=s3cret\n") << "ann" << "s3cret" << true;
    QTest::newRow("empty values") << QByteArray("[General]\nuser=\npw=\n") << "" << "" << true;
    QTest::newRow("only user") << QByteArray("[General]\nuser=ann\n") << "" << "" << false;
    QTest::newRow("only pw") << QByteArray("[General]\npw=s3cret\n") << "" << "" << false;
    QTest::newRow("no file") << QByteArray() << "" << "" << false;
}

void tst_Window::credentialRestore()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, user);
    QFETCH(QString, pw);
    QFETCH(bool, checked);

    if (!ini.isNull()) {
        QFile file(QStringLiteral("tarvello.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }
    mw window;
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("usr"))->text(), user);
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("pw"))->text(), pw);
    QCOMPARE(window.findChild<QCheckBox *>(QStringLiteral("checkBox"))->isChecked(), checked);
}

void tst_Window::argumentPaths_data()
{
    QTest::addColumn<QByteArray>("argument");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ascii") << QByteArray("a.png") << QStringLiteral("a.png");
    QTest::newRow("utf-8") << QByteArray("photo-\xc3\xa9.png") << QStringLiteral("photo-\u00e9.png");
    QTest::newRow("cyrillic") << QByteArray("\xd1\x84\xd0\xbe\xd1\x82\xd0\xbe.jpg") << QStringLiteral("\u0444\u043e\u0442\u043e.jpg");
}

void tst_Window::argumentPaths()
{
    QFETCH(QByteArray, argument);
    QFETCH(QString, expected);

    const QByteArray path = QFile::encodeName(m_dir.path()) + '/' + argument;
    testutil::writeImage(QFile::decodeName(path), 3, 2);
    const char *argv[] = {"tarvello", path.constData(), "second.png"};
    const QStringList paths = tarvello::argumentPaths(3, argv);
    QCOMPARE(paths.size(), 2);
    QCOMPARE(paths.at(0), m_dir.path() + QLatin1Char('/') + expected);
    QCOMPARE(paths.at(1), QStringLiteral("second.png"));

    mw window;
    window.addObj(paths.at(0), false);
    QVERIFY(window.entries().at(0).pix.isNull());
    QTRY_COMPARE(window.entries().at(0).prev.size(), QSize(255, 170));
}

QTEST_MAIN(tst_Window)
// The height the window gains goes to the queue, and long links are cut at their end.
void tst_Window::queueTakesTheHeight()
{
    mw window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    const int before = table->viewport()->height();
    window.resize(window.width(), window.height() + 200);
    QTRY_VERIFY2(table->viewport()->height() >= before + 190, qPrintable(QString::number(table->viewport()->height())));
    QCOMPARE(table->textElideMode(), Qt::ElideRight);
}

void tst_Window::tabFollowsTheEye_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("withEntry");
    QTest::addColumn<QStringList>("expected");

    const QStringList picture = {"label"};
    const QStringList edits = {"cw90", "ccw90", "rot180", "fliph", "flipv"};
    const QStringList rest = {"browsefiles", "screens", "clipb", "usr", "pw", "checkBox",
                              "tableWidget", "checkBox_2", "uploadfile", "destinationBox", "menuButton"};
    QTest::newRow("narrow, empty queue") << 0 << false << picture + rest;
    QTest::newRow("narrow, an entry") << 0 << true << picture + edits + rest;
    QTest::newRow("queue beside the picture") << 1280 << true << picture + edits + rest;
}

void tst_Window::tabFollowsTheEye()
{
    QFETCH(int, width);
    QFETCH(bool, withEntry);
    QFETCH(QStringList, expected);

    mw window;
    if (withEntry)
        window.addObj(testutil::writeImage(m_dir.filePath(QStringLiteral("tab.png")), 4, 4));
    if (width > 0)
        window.resize(width, window.height());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto walk = [&](Qt::KeyboardModifiers modifiers) {
        QStringList seen;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            seen.append(QApplication::focusWidget()->objectName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        }
        return seen;
    };
    window.findChild<QWidget *>(expected.first())->setFocus(Qt::TabFocusReason);
    QCOMPARE(walk(Qt::NoModifier), expected);
    // Round the end back to the first.
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.first());

    QStringList back = expected;
    std::reverse(back.begin(), back.end());
    window.findChild<QWidget *>(back.first())->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(walk(Qt::ShiftModifier), back);
}

#include "tst_window.moc"
