#pragma once

#include <QByteArray>
#include <QIODevice>

#include <cstring>

// A sequential device that hands out its bytes a few at a time, as a pipe or a slow
// share does, so a reader meets numbers and line breaks cut across its reads.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(QByteArray bytes, qint64 chunk) : m_bytes(std::move(bytes)), m_chunk(chunk) {}

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_bytes.size() - m_pos + QIODevice::bytesAvailable(); }
    int reads() const { return m_reads; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        ++m_reads;
        const qint64 n = qMin(qMin(maxSize, m_chunk), qint64(m_bytes.size() - m_pos));
        if (n <= 0)
            return m_pos >= m_bytes.size() ? -1 : 0;
        std::memcpy(data, m_bytes.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_chunk;
    qint64 m_pos = 0;
    int m_reads = 0;
};
