#pragma once

#include "room/logic/LiveAttempt.h"
#include "room/logic/RoomHeat.h"

#include <QWidget>

// The subject's tree, live: the attempt in play of the log it follows (LiveAttempt),
// painted to fit the view and kept in proportion; a line of text where there is none.
// Shown for the whole room, it is the heatmap of every log of the room (RoomHeat).
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

    // The whole room's heatmap in place of the attempt followed, or back.
    void showRoom(bool on);
    bool showsRoom() const { return m_showsRoom; }
    // The room's logs and what the heat counts; reads them when that changed.
    void followRoom(const QStringList &logs, NodeHeat::Measure measure);
    const RoomHeat &roomHeat() const { return m_room; }
    // What is painted: the attempt's picture or the room's; nullptr when there is none.
    const Drawing *drawing() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void changed();
    // Why nothing is drawn, of what is shown.
    const QString &why() const;

    LiveAttempt m_attempt;
    RoomHeat m_room;
    bool m_showsRoom = false;
};
