#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <sys/types.h>

// Whole-file XML read and write, as root, in UTF-8. The written form is the suite's
// file format: four spaces of indent per level, no XML declaration, elements that
// hold only text on one line, empty elements as <Name/>.

// Reads the file; a file that cannot be opened gives the diagnostic line
// "Error opening file: " and the path, and like a malformed file an empty document.
// Whitespace-only text between elements is not kept.
pugi::xml_document loadXmlDocument(const QString &path);

// Writes the node (normally a whole document) to the file, replacing it whole. On
// failure prints "Error opening file: " and the path, the old file stays and the
// result is false.
bool saveXmlDocument(const QString &path, const pugi::xml_node &node, mode_t newFileMode = 0644);

// The serialised form that saveXmlDocument writes.
QByteArray serializeXml(const pugi::xml_node &node);

// Element helpers shared by the stores.
inline QString elementText(const pugi::xml_node &element)
{
    return QString::fromUtf8(element.child_value());
}

// Integer text in base 10; anything that is not an integer reads as 0.
int textToInt(const char *text);
