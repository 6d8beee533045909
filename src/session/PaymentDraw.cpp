#include "session/PaymentDraw.h"

#include <QCryptographicHash>

PaymentDraw::PaymentDraw(std::uint32_t seed, int subject)
    : m_digest(QCryptographicHash::hash(QStringLiteral("%1:%2").arg(seed).arg(subject).toLatin1(),
                                        QCryptographicHash::Sha256))
{
}

QString PaymentDraw::number() const
{
    return QString::fromLatin1(m_digest.toHex());
}

int PaymentDraw::choose(int finished) const
{
    // The 256-bit number modulo n, a byte at a time: (r * 256 + byte) mod n stays small.
    std::uint64_t rest = 0;
    for (const char byte : m_digest)
        rest = (rest * 256 + std::uint8_t(byte)) % std::uint64_t(finished);
    return int(rest) + 1;
}
