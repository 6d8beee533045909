#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Which finished attempt of a subject is paid: a function of the announced seed, the
// subject number and the number of finished attempts, and of nothing else, so that one
// subject's payment can be checked from that subject's log and the seed alone, whichever
// other logs were paid with it. The rule, in one line of Python:
//
//   int(hashlib.sha256(f"{seed}:{subject}".encode()).hexdigest(), 16) % n + 1
//
// that is the SHA-256 digest of the ASCII text "<seed>:<subject>" (both in decimal, the
// subject with a minus sign if negative), read as one big-endian number, modulo the
// number n of finished attempts, plus 1: the paid attempt is the k-th finished one.
class PaymentDraw
{
public:
    PaymentDraw(std::uint32_t seed, int subject);

    // The digest as 64 lower-case hexadecimal digits: the number the draw uses.
    QString number() const;
    // 1..finished: which of the finished attempts, in attempt order, is paid.
    // finished must be at least 1.
    int choose(int finished) const;

private:
    QByteArray m_digest;
};
