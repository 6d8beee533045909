#include "window/logic/PayoffReader.h"

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

    // The number is judged as it streams past; only its first bytes are kept as text,
    // so a long run of leading zeros cannot push its digits out of sight.
    bool negative = false;
    bool wellFormed = true;
    bool sawDigit = false;
    qsizetype length = 0;
    qsizetype significant = 0;
    qint64 magnitude = 0;
    while (fill() && !isSeparator(m_block[m_pos])) {
        const char c = m_block[m_pos];
        if (item.text.size() < MaxTokenLength)
            item.text.append(c);
        if (length == 0 && (c == '-' || c == '+')) {
            negative = c == '-';
        } else if (c >= '0' && c <= '9') {
            sawDigit = true;
            if (significant > 0 || c != '0') {
                if (++significant <= 6)
                    magnitude = magnitude * 10 + (c - '0');
            }
        } else {
            wellFormed = false;
        }
        ++length;
        ++m_pos;
        ++m_column;
    }

    if (!wellFormed || !sawDigit) {
        item.status = Status::NotWhole;
        return item;
    }
    if (significant > 5 || magnitude > MaxMagnitude) {
        item.status = Status::OutOfRange;
        return item;
    }
    const qlonglong value = negative ? -magnitude : magnitude;
    item.status = Status::Number;
    item.value = static_cast<qint16>(value);
    return item;
}
