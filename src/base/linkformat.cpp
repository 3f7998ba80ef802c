#include "base/linkformat.h"

#include <QRegularExpression>
#include <QUrl>

namespace tarvello {

namespace {

bool isWebLink(const QString &link)
{
    const QUrl url(link, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty()
            && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

// Names may span lines; none of the formats keeps a line break inside an image.
QString oneLine(const QString &text)
{
    return text.simplified();
}

QString markdownText(const QString &text)
{
    QString escaped;
    for (const QChar c : oneLine(text)) {
        if (QStringLiteral("\\[]()*_`<>!#|~&").contains(c))
            escaped.append(QLatin1Char('\\'));
        escaped.append(c);
    }
    return escaped;
}

// Only a valid URL gets here, so spaces and angle brackets are encoded already; a parenthesis
// would end the link early.
QString markdownLink(const QString &link)
{
    QString escaped;
    for (const QChar c : link) {
        if (c == QLatin1Char('(') || c == QLatin1Char(')'))
            escaped.append(QLatin1Char('\\'));
        escaped.append(c);
    }
    return escaped;
}

QString html(const QString &text)
{
    return oneLine(text).toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}

// BBCode has no escapes: a bracket after the host would end the tag, so it is percent-encoded
// (the brackets of an IPv6 host stay, as they must).
QString bbcodeLink(const QString &link)
{
    const int host = link.indexOf(QLatin1String("://")) + 3;
    int rest = link.indexOf(QRegularExpression(QStringLiteral("[/?#]")), host);
    if (rest < 0)
        return link;
    QString tail = link.mid(rest);
    tail.replace(QLatin1Char('['), QLatin1String("%5B")).replace(QLatin1Char(']'), QLatin1String("%5D"));
    return link.left(rest) + tail;
}

} // namespace

QString formatLink(LinkFormat format, const LinkParts &parts)
{
    if (!isWebLink(parts.link))
        return QString();
    const QString name = oneLine(parts.description).isEmpty() ? parts.fileName : parts.description;
    const bool thumbnail = isWebLink(parts.thumbnailLink);
    switch (format) {
    case LinkFormat::Plain:
        return parts.link;
    case LinkFormat::MarkdownThumbnail:
        if (thumbnail)
            return QStringLiteral("[![%1](%2)](%3)")
                    .arg(markdownText(name), markdownLink(parts.thumbnailLink), markdownLink(parts.link));
        Q_FALLTHROUGH();
    case LinkFormat::Markdown:
        return QStringLiteral("![%1](%2)").arg(markdownText(name), markdownLink(parts.link));
    case LinkFormat::HtmlThumbnail:
        if (thumbnail)
            return QStringLiteral("<a href=\"%1\"><img src=\"%2\" alt=\"%3\"></a>")
                    .arg(html(parts.link), html(parts.thumbnailLink), html(name));
        Q_FALLTHROUGH();
    case LinkFormat::Html:
        return QStringLiteral("<img src=\"%1\" alt=\"%2\">").arg(html(parts.link), html(name));
    case LinkFormat::BBCodeThumbnail:
        if (thumbnail)
            return QStringLiteral("[url=%1][img]%2[/img][/url]").arg(bbcodeLink(parts.link), bbcodeLink(parts.thumbnailLink));
        Q_FALLTHROUGH();
    case LinkFormat::BBCode:
        return QStringLiteral("[img]%1[/img]").arg(bbcodeLink(parts.link));
    }
    return QString();
}

} // namespace tarvello
