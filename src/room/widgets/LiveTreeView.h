#pragma once

#include "room/logic/LiveAttempt.h"

#include <QWidget>

// The subject's tree, live: the attempt in play of the log it follows (LiveAttempt),
// painted to fit the view and kept in proportion; a line of text where there is none.
class LiveTreeView : public QWidget
{
    Q_OBJECT

public:
    explicit LiveTreeView(QWidget *parent = nullptr);

    // Follows another log (empty: none) and repaints.
    void follow(const QString &path);
    // Reads the log again if it grew or was replaced; repaints when the picture changed.
    void refresh();

    const LiveAttempt &attempt() const { return m_attempt; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void changed();

    LiveAttempt m_attempt;
};
