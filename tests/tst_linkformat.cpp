// The copy formats of a link: each one, its escapes, the name it takes, and links it refuses.

#include <QTest>

#include "base/linkformat.h"

using tarvello::LinkFormat;

class tst_LinkFormat : public QObject
{
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
};

void tst_LinkFormat::formats_data()
{
    QTest::addColumn<LinkFormat>("format");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("thumbnail");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");

    const QString link = QStringLiteral("http://img.example/i/a.png");
    const QString thumb = QStringLiteral("http://img.example/t/a.png");
    QTest::newRow("plain") << LinkFormat::Plain << link << thumb << "cat" << "a.png" << link;
    QTest::newRow("markdown") << LinkFormat::Markdown << link << "" << "cat" << "a.png"
                              << "![cat](http://img.example/i/a.png)";
    QTest::newRow("markdown, file name") << LinkFormat::Markdown << link << "" << "" << "a.png"
                                         << "![a.png](http://img.example/i/a.png)";
    QTest::newRow("markdown, blank description") << LinkFormat::Markdown << link << "" << " \n " << "a_b.png"
                                                 << "![a\\_b.png](http://img.example/i/a.png)";
    QTest::newRow("markdown escapes") << LinkFormat::Markdown << "https://h.example/x_(1).png" << "" << "[a] *b* `c` <d>\nline"
                                      << "x" << "![\\[a\\] \\*b\\* \\`c\\` \\<d\\> line](https://h.example/x_\\(1\\).png)";
    QTest::newRow("markdown thumbnail") << LinkFormat::MarkdownThumbnail << link << thumb << "cat" << "a.png"
                                        << "[![cat](http://img.example/t/a.png)](http://img.example/i/a.png)";
    QTest::newRow("markdown thumbnail, none") << LinkFormat::MarkdownThumbnail << link << "" << "cat" << "a.png"
                                              << "![cat](http://img.example/i/a.png)";
    QTest::newRow("html") << LinkFormat::Html << link << "" << "cat" << "a.png"
                          << "<img src=\"http://img.example/i/a.png\" alt=\"cat\">";
    QTest::newRow("html escapes") << LinkFormat::Html << "http://h.example/a.png?x=1&y=2" << "" << "\"Tom\" & <Jerry>'s"
                                  << "a" << "<img src=\"http://h.example/a.png?x=1&amp;y=2\" alt=\"&quot;Tom&quot; &amp; &lt;Jerry&gt;&#39;s\">";
    QTest::newRow("html thumbnail") << LinkFormat::HtmlThumbnail << link << thumb << "" << "a&b.png"
                                    << "<a href=\"http://img.example/i/a.png\"><img src=\"http://img.example/t/a.png\" alt=\"a&amp;b.png\"></a>";
    QTest::newRow("bbcode") << LinkFormat::BBCode << link << thumb << "cat" << "a.png"
                            << "[img]http://img.example/i/a.png[/img]";
    QTest::newRow("bbcode, brackets in the path") << LinkFormat::BBCode << "http://h.example/a[1].png" << "" << "" << "a"
                                                  << "[img]http://h.example/a%5B1%5D.png[/img]";
    QTest::newRow("bbcode, IPv6 host") << LinkFormat::BBCode << "http://[::1]:8765/a.png" << "" << "" << "a"
                                       << "[img]http://[::1]:8765/a.png[/img]";
    QTest::newRow("bbcode thumbnail") << LinkFormat::BBCodeThumbnail << link << thumb << "" << "a"
                                      << "[url=http://img.example/i/a.png][img]http://img.example/t/a.png[/img][/url]";
    QTest::newRow("bbcode thumbnail, not a web link") << LinkFormat::BBCodeThumbnail << link << "file:///etc/passwd"
                                                      << "" << "a" << "[img]http://img.example/i/a.png[/img]";
    QTest::newRow("not a web link") << LinkFormat::Html << "javascript:alert(1)" << "" << "x" << "a" << "";
    QTest::newRow("no host") << LinkFormat::Plain << "http://" << "" << "x" << "a" << "";
    QTest::newRow("no link") << LinkFormat::Markdown << "" << "" << "x" << "a" << "";
    QTest::newRow("name with %1") << LinkFormat::Markdown << link << "" << "100%1 %2" << "a"
                                  << "![100%1 %2](http://img.example/i/a.png)";
}

void tst_LinkFormat::formats()
{
    QFETCH(LinkFormat, format);
    QFETCH(QString, link);
    QFETCH(QString, thumbnail);
    QFETCH(QString, description);
    QFETCH(QString, file);
    QFETCH(QString, text);
    QCOMPARE(tarvello::formatLink(format, {link, thumbnail, description, file}), text);
}

QTEST_GUILESS_MAIN(tst_LinkFormat)
#include "tst_linkformat.moc"
