#include "window/PayoffReader.h"

namespace {

constexpr qint64 BlockSize = 64 * 1024;
constexpr qsizetype MaxTokenLength = 64;

} // namespace

PayoffReader::PayoffReader(QIODevice &device) : m_device(device) {}

bool PayoffReader::isSeparator(char c)
{
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'
        || c == '\v';
}

bool PayoffReader::fill()
{
    if (m_pos < m_block.size())
        return true;
    m_block = m_device.read(BlockSize);
    m_pos = 0;
    return !m_block.isEmpty();
}

PayoffReader::Item PayoffReader::next()
{
    Item item;
    // Skip separators.
    while (fill() && isSeparator(m_block[m_pos])) {
        if (m_block[m_pos] == '\n') {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
        ++m_pos;
    }
    item.line = m_line;
    item.column = m_column;
    if (!fill())
        return item; // End

    while (fill() && !isSeparator(m_block[m_pos])) {
        if (item.text.size() < MaxTokenLength)
            item.text.append(m_block[m_pos]);
        ++m_pos;
        ++m_column;
    }

    const QByteArray &t = item.text;
    qsizetype start = (t.startsWith('-') || t.startsWith('+')) ? 1 : 0;
    bool digits = t.size() > start;
    for (qsizetype i = start; i < t.size() && digits; ++i)
        digits = t[i] >= '0' && t[i] <= '9';
    if (!digits) {
        item.status = Status::NotWhole;
        return item;
    }
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok);
    if (!ok || value < -MaxMagnitude || value > MaxMagnitude) {
        item.status = Status::OutOfRange;
        return item;
    }
    item.status = Status::Number;
    item.value = static_cast<qint16>(value);
    return item;
}
