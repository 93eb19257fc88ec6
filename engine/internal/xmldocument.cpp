#include "xmldocument.h"

#include "filewriter.h"
#include "privileges.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void reportOpenError(const QString &path)
{
    std::fprintf(stderr, "Error opening file: %s\n", QFile::encodeName(path).constData());
}

// Reads the whole file into a buffer that pugixml takes over; nullptr when the file
// cannot be opened or read.
char *readWholeFile(const QString &path, size_t &size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    size_t capacity = size_t(info.st_size) + 1;
    auto *buffer = static_cast<char *>(pugi::get_memory_allocation_function()(capacity));
    size = 0;
    while (buffer) {
        if (size == capacity) {
            // The file grew while we read it.
            auto *bigger = static_cast<char *>(pugi::get_memory_allocation_function()(capacity * 2));
            if (bigger)
                std::memcpy(bigger, buffer, size);
            pugi::get_memory_deallocation_function()(buffer);
            buffer = bigger;
            capacity *= 2;
            continue;
        }
        const ssize_t got = ::read(fd, buffer + size, capacity - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            pugi::get_memory_deallocation_function()(buffer);
            buffer = nullptr;
        } else if (got == 0) {
            break;
        } else {
            size += size_t(got);
        }
    }
    ::close(fd);
    return buffer;
}

void appendEscaped(QByteArray &out, const char *text, bool inAttribute)
{
    const char *run = text;
    for (const char *p = text; *p; ++p) {
        const char *entity = nullptr;
        switch (*p) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        case '\r':
            entity = "&#xd;";
            break;
        case '"':
            entity = inAttribute ? "&quot;" : nullptr;
            break;
        case '\n':
            entity = inAttribute ? "&#xa;" : nullptr;
            break;
        default:
            break;
        }
        if (entity) {
            out.append(run, p - run);
            out.append(entity);
            run = p + 1;
        }
    }
    out.append(run);
}

void appendIndent(QByteArray &out, int depth)
{
    out.append(depth * 4, ' ');
}

void writeNode(QByteArray &out, const pugi::xml_node &node, int depth)
{
    switch (node.type()) {
    case pugi::node_document:
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
            writeNode(out, child, depth);
        return;
    case pugi::node_pcdata:
    case pugi::node_cdata:
        appendIndent(out, depth);
        appendEscaped(out, node.value(), false);
        out.append('\n');
        return;
    case pugi::node_comment:
        appendIndent(out, depth);
        out.append("<!--").append(node.value()).append("-->\n");
        return;
    case pugi::node_element:
        break;
    default:
        return;
    }

    appendIndent(out, depth);
    out.append('<').append(node.name());
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        out.append(' ').append(attribute.name()).append("=\"");
        appendEscaped(out, attribute.value(), true);
        out.append('"');
    }
    const pugi::xml_node first = node.first_child();
    if (!first) {
        out.append("/>\n");
        return;
    }
    const bool onlyText
        = !first.next_sibling() && (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata);
    if (onlyText) {
        out.append('>');
        appendEscaped(out, first.value(), false);
        out.append("</").append(node.name()).append(">\n");
        return;
    }
    out.append(">\n");
    for (pugi::xml_node child = first; child; child = child.next_sibling())
        writeNode(out, child, depth + 1);
    appendIndent(out, depth);
    out.append("</").append(node.name()).append(">\n");
}

} // namespace

pugi::xml_document loadXmlDocument(const QString &path)
{
    pugi::xml_document document;
    size_t size = 0;
    char *buffer = asRoot([&] { return readWholeFile(path, size); });
    if (!buffer) {
        reportOpenError(path);
        return document;
    }
    // A parse error yields an empty document without a message.
    if (!document.load_buffer_inplace_own(buffer, size, pugi::parse_default, pugi::encoding_utf8))
        document.reset();
    return document;
}

QByteArray serializeXml(const pugi::xml_node &node)
{
    QByteArray out;
    out.reserve(4096);
    writeNode(out, node, 0);
    return out;
}

bool saveXmlDocument(const QString &path, const pugi::xml_node &node, mode_t newFileMode)
{
    const QByteArray content = serializeXml(node);
    const bool written = asRoot([&] { return replaceFile(path, content, newFileMode); });
    if (!written)
        reportOpenError(path);
    return written;
}

int textToInt(const char *text)
{
    if (!text)
        return 0;
    const QByteArray trimmed = QByteArray(text).trimmed();
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    return ok ? value : 0;
}
