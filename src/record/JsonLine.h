#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One JSON object written as one line, its keys in the order they are added. Strings are
// UTF-8 with only what JSON requires escaped; the line ends in LF.
class JsonLine
{
public:
    JsonLine &add(const char *key, const QString &value);
    JsonLine &add(const char *key, const char *value) { return add(key, QString::fromUtf8(value)); }
    JsonLine &add(const char *key, qint64 value);
    JsonLine &add(const char *key, int value) { return add(key, qint64(value)); }
    JsonLine &add(const char *key, bool value);
    // A single-precision number in the shortest form that reads back to the same value.
    JsonLine &add(const char *key, float value);
    JsonLine &add(const char *key, const QStringList &values);
    JsonLine &add(const char *key, const QList<qint64> &values);
    JsonLine &add(const char *key, const JsonLine &object);

    QByteArray line() const { return m_text + "}\n"; }
    QByteArray object() const { return m_text + '}'; }

    static QByteArray quoted(const QString &text);

private:
    JsonLine &raw(const char *key, const QByteArray &json);

    QByteArray m_text = "{";
};
