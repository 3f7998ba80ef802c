#include "page.h"

#include "content.h"
#include "store.h"

namespace host {

namespace {

constexpr size_t maxDescriptionCharacters = 1000;
constexpr size_t maxNameCharacters = 255;

} // namespace

const char styleSheet[] =
    "body{font-family:sans-serif;margin:1em}table{border-collapse:collapse}"
    "td,th{border:1px solid #ccc;padding:4px;text-align:start;vertical-align:middle}"
    "img{object-fit:contain;background:#eee;max-width:40vw}td.size,td.date{white-space:nowrap}"
    "form{margin:0 0 1em}input{margin:0 .5em 0 .25em}";

std::string indexHtml(const IndexPage &page)
{
    std::string html;
    html.reserve(2048 + page.records.size() * 640);
    html += "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
            "<title>Tarvello image host</title><link rel=\"stylesheet\" href=\"/style.css\"></head><body>"
            "<h1>Tarvello image host</h1>\n<p>"
          + std::to_string(page.total) + (page.total == 1 ? " image" : " images") + ", newest first.</p>\n"
          + "<p>To upload here from a program that takes custom-uploader files: "
            "<a href=\"/tarvello.sxcu\" download>the file for anonymous uploads</a>.</p>\n";
    if (page.accounts)
        html += "<form method=\"post\" action=\"/tarvello.sxcu\"><p>Or with your login: "
                "<label>User name<input name=\"user\" autocomplete=\"username\" required></label>"
                "<label>Password<input type=\"password\" name=\"password\" autocomplete=\"current-password\"></label>"
                "<button type=\"submit\">Get the file</button></p></form>\n";
    html += "<table><tr><th>Image</th><th>File</th><th>Size</th><th>Date (UTC)</th><th>User</th>"
            "<th>Description</th></tr>\n";
    for (const Record &record : page.records) {
        const std::string link = "/i/" + htmlEscaped(record.name);
        const std::string filename = htmlEscaped(record.filename.empty() ? record.name : storedText(record.filename, maxNameCharacters));
        const std::string description = htmlEscaped(storedText(record.description, maxDescriptionCharacters));
        // A blank alt text would tell a screen reader the picture is only decoration.
        const bool blank = description.find_first_not_of(" \t\r\n") == std::string::npos;
        html += "<tr><td><a href=\"" + link + "\"><img src=\"" + link + "\" loading=\"lazy\" width=\"160\" height=\"90\" alt=\""
              + (blank ? filename : description) + "\"></a></td><td><a href=\"" + link + "\"><bdi>"
              + filename + "</bdi></a></td><td class=\"size\">" + readableSize(record.size) + "</td><td class=\"date\">"
              + htmlEscaped(record.date) + "</td><td>" + htmlEscaped(storedText(record.user, maxNameCharacters))
              + "</td><td dir=\"auto\"><bdi>" + description + "</bdi></td></tr>\n";
    }
    html += "</table>\n<p>";
    if (page.index > 0)
        html += "<a href=\"/?page=" + std::to_string(page.index - 1) + "\">Newer</a> ";
    if ((page.index + 1) * page.pageSize < page.total)
        html += "<a href=\"/?page=" + std::to_string(page.index + 1) + "\">Older</a>";
    html += "</p></body></html>\n";
    return html;
}

} // namespace host
