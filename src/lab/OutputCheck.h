#pragma once

#include <QString>
#include <QStringList>

// The files a command writes must never be the files of the lab that it reads, nor any
// other file the lab cannot do without. An output is refused when it is the same file as
// an input (by file identity, not by name: another path, a link or a different case on
// Windows name the same file), when it already holds an event log, a companion record
// or a payoff file, when it is a go-ahead file okto.go, when it is something other than a
// regular file, and when two outputs of one command name the same file.
namespace OutputCheck {

// Why output may not be written; empty when it may. inputs are the files the command
// reads; others are the command's other outputs.
QString refusal(const QString &output, const QStringList &inputs, const QStringList &others = {});

// Why one of outputs may not be written (the first refused, checked against the inputs
// and against each other); empty when all may.
QString refusal(const QStringList &outputs, const QStringList &inputs);

// Whether the two paths name the same file, existing or not.
bool sameFile(const QString &a, const QString &b);

} // namespace OutputCheck
