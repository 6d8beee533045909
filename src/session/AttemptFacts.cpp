#include "session/AttemptFacts.h"

QList<AttemptFacts> AttemptFacts::of(const QList<LogRecord> &records, const QList<AttemptSummary> &attempts)
{
    QList<AttemptFacts> all;
    for (const AttemptSummary &attempt : attempts) {
        AttemptFacts facts;
        facts.number = attempt.number;
        facts.finalPayoffNode = attempt.finalPayoffNode;
        facts.continued = attempt.continued;
        for (qsizetype i = attempt.firstRecord; i <= attempt.lastRecord && i < records.size(); ++i) {
            const LogRecord &record = records[i];
            switch (record.kind) {
            case LogRecord::Kind::NodeClick:
                ++facts.inspected;
                break;
            case LogRecord::Kind::ConfirmDecision:
            case LogRecord::Kind::NatureMove:
                if (record.level >= 1 && record.level <= 6)
                    facts.move[std::size_t(record.level)]
                        = record.direction == LogRecord::Direction::Left ? 'L' : 'R';
                break;
            case LogRecord::Kind::Continue:
                facts.seconds = record.stamp - records[attempt.firstRecord].stamp;
                break;
            default:
                break;
            }
        }
        all.append(facts);
    }
    return all;
}
