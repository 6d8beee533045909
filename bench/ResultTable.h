#pragma once

#include <QList>
#include <QString>

#include <cstdio>

// The one table that `make bench` prints: each figure against its target.
class ResultTable
{
public:
    enum class Verdict { Pass, Miss, Info };

    void section(const QString &title);
    void row(const QString &figure, const QString &measured, const QString &target, Verdict verdict);

    int misses() const { return m_misses; }
    void print(std::FILE *out) const;

private:
    struct Row
    {
        bool heading = false;
        QString figure;
        QString measured;
        QString target;
        Verdict verdict = Verdict::Info;
    };
    QList<Row> m_rows;
    int m_misses = 0;
};
