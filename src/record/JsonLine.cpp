#include "record/JsonLine.h"

#include <charconv>

QByteArray JsonLine::quoted(const QString &text)
{
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out += "\\u00" + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    return out + '"';
}

JsonLine &JsonLine::raw(const char *key, const QByteArray &json)
{
    if (m_text.size() > 1)
        m_text += ',';
    m_text += quoted(QString::fromLatin1(key)) + ':' + json;
    return *this;
}

JsonLine &JsonLine::add(const char *key, const QString &value)
{
    return raw(key, quoted(value));
}

JsonLine &JsonLine::add(const char *key, qint64 value)
{
    return raw(key, QByteArray::number(value));
}

JsonLine &JsonLine::add(const char *key, bool value)
{
    return raw(key, value ? "true" : "false");
}

JsonLine &JsonLine::add(const char *key, float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return raw(key, QByteArray(buffer, int(result.ptr - buffer)));
}

JsonLine &JsonLine::add(const char *key, const QStringList &values)
{
    QByteArray json = "[";
    for (qsizetype i = 0; i < values.size(); ++i)
        json += (i ? "," : "") + quoted(values[i]);
    return raw(key, json + ']');
}

JsonLine &JsonLine::add(const char *key, const QList<qint64> &values)
{
    QByteArray json = "[";
    for (qsizetype i = 0; i < values.size(); ++i)
        json += (i ? "," : "") + QByteArray::number(values[i]);
    return raw(key, json + ']');
}

JsonLine &JsonLine::add(const char *key, const JsonLine &object)
{
    return raw(key, object.object());
}
