#pragma once

#include <QString>

namespace tarvello {

// The ways a link can be copied: as it is, or as an image in Markdown, HTML or BBCode; the
// "Thumbnail" forms show the host's small picture and lead to the full one.
enum class LinkFormat {
    Plain,
    Markdown,
    Html,
    BBCode,
    MarkdownThumbnail,
    HtmlThumbnail,
    BBCodeThumbnail,
};

struct LinkParts
{
    QString link;
    QString thumbnailLink; // may be empty: the Thumbnail forms are then the plain image forms
    QString description;
    QString fileName;
};

// The text to paste. The image's name is the description, or else the file name, and is escaped
// for the format, as is the link. Empty when the link is not an http or https URL, so that
// nothing else ends up in a page as an image.
QString formatLink(LinkFormat format, const LinkParts &parts);

} // namespace tarvello
