#pragma once

#include "session/Drawing.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class LabLog;
class LogWalk;

// The normalised look-ahead depth by attempt (normalised_ahead_d1 to d3 of the measures
// table, SearchMeasures): one panel per decision level, one line per subject, each
// subject in a colour, a marker and a dash of its own so that the lines stay apart
// printed in black and white; a gap where the subject looked at nothing while standing
// there. Axes with numbers and names, a legend naming the subjects. No text covers
// another, and every text lies inside the picture.
class LookaheadPicture
{
public:
    static constexpr double Width = 880; // points

    struct Subject
    {
        QString name; // "subject 101"
        // By attempt from 1: normalised_ahead_d1, d2, d3; none where the row is empty.
        QList<std::array<std::optional<double>, 3>> depth;
    };
    // The subject's row of depths from the measures of the log.
    static Subject of(const LabLog &log, const LogWalk &walk);

    LookaheadPicture(const QString &title, const QList<Subject> &subjects);

    const Drawing &drawing() const { return m_drawing; }

private:
    void addPanel(int level, double left, double top, int attempts, const QList<Subject> &subjects);
    void addMarker(int subject, QPointF at, const QString &tip);
    double addLegend(double top, const QList<Subject> &subjects);
    void addText(QPointF at, const QString &text, QColor colour, double size, bool bold, int align,
                 const QString &role, bool upright = false);

    Drawing m_drawing;
};
