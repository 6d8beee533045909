#include "FileBenchmarks.h"

#include "StubClock.h"

#include "record/EventLog.h"
#include "record/SystemClock.h"
#include "record/EventTags.h"
#include "window/logic/PayoffFile.h"

#include <QDir>
#include <QCoreApplication>
#include <QFile>

#include <chrono>
#include <thread>

#include <benchmark/benchmark.h>

#include <string>

QByteArray FileBenchmarks::payoffFileText(int records)
{
    QByteArray text;
    for (int r = 0; r < records; ++r) {
        const bool last = r == records - 1;
        // Sets 2 to 30001 come before; set 1 stands last.
        text += QByteArray::number(last ? 1 : 2 + r % 30000) + "\r\n";
        for (int j = 0; j < PayoffFile::PayoffCount; ++j) {
            text += QByteArray::number((r + 7 * j) % 51 - 25);
            text += (j % 16 == 15) ? "\r\n" : ", ";
        }
    }
    return text;
}

void FileBenchmarks::registerAll(const QString &folder)
{
    for (const int records : RecordCounts) {
        const QString path = QDir(folder).filePath(QStringLiteral("btinp.%1").arg(records));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(payoffFileText(records)) < 0)
            qFatal("cannot write %s", qPrintable(path));
        file.close();
        benchmark::RegisterBenchmark(("file/readSet/" + std::to_string(records)).c_str(),
                                     [path, records](benchmark::State &state) {
                                         for (auto _ : state) {
                                             const PayoffFile::SetResult set = PayoffFile::readSet(path, 1);
                                             if (!set.ok) {
                                                 state.SkipWithError(qPrintable(set.error));
                                                 break;
                                             }
                                             benchmark::DoNotOptimize(set.payoffs.data());
                                         }
                                         state.counters["records"] = records;
                                         state.SetItemsProcessed(state.iterations() * records);
                                     })
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.3);
    }

    benchmark::RegisterBenchmark("file/WriteEventRecord", [folder](benchmark::State &state) {
        StubClock clock(512.5f);
        EventLog log(clock);
        const EventLog::OpenResult opened = log.OpenEventLog(folder, 99, 1, QStringLiteral("bench.01"));
        if (!opened.ok) {
            state.SkipWithError(qPrintable(opened.error));
            return;
        }
        const QString tag = EventTags::click(QStringLiteral("c2"));
        const QString fields = QStringLiteral("3");
        for (auto _ : state) {
            if (!log.WriteEventRecord(tag, fields)) {
                state.SkipWithError("a record could not be written");
                break;
            }
            clock.advance(0.01f);
        }
        log.CloseEventLog();
        QFile::remove(opened.path);
        state.SetItemsProcessed(state.iterations());
    })->Unit(benchmark::kMicrosecond)->MinTime(0.5);
}

LatencySamples FileBenchmarks::recordToDevice(const QString &folder, int records, int gapMs)
{
    LatencySamples windows;
    SystemClock clock;
    EventLog log(clock);
    const EventLog::OpenResult opened = log.OpenEventLog(folder, 99, 1, QStringLiteral("sync.01"));
    if (!opened.ok)
        return windows;
    CompanionLog::RunFacts facts;
    facts.payoffs = QList<qint64>(64, 0);
    facts.payoffTexts = QStringList(64, QStringLiteral("\u00A30"));
    log.companion().open(opened.path, opened.keptAs, log.headerLine(), log.startReading(), facts);
    const QString tag = EventTags::click(QStringLiteral("c2"));
    for (int k = 0; k < records; ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
        const quint64 before = log.syncsDone();
        const auto start = std::chrono::steady_clock::now();
        log.WriteEventRecord(tag, QString::number(k % 8));
        // One sync for the record, one for its line in the companion (or one for both
        // when they queue together).
        // The syncs start once the program is back in its event loop, as here.
        while (log.syncsDone() < before + 2 && std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        windows.add(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count());
    }
    log.CloseEventLog();
    log.companion().close();
    QFile::remove(opened.path);
    QFile::remove(CompanionLog::pathFor(opened.path));
    return windows;
}
