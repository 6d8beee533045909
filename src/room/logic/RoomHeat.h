#pragma once

#include "room/logic/FolderStamp.h"
#include "session/HeatPicture.h"
#include "session/NodeHeat.h"

#include <QList>
#include <QStringList>

#include <memory>
#include <optional>

// The heatmap of a whole room, as treelab draw --heat draws it (HeatPicture): every
// attempt of every log followed, summed. The logs are read again only when one of them
// or its companion record changed (by their stamps), or the measure or the logs changed.
// Needs a QGuiApplication (the picture measures its texts).
class RoomHeat
{
public:
    // Follows these logs, counting measure; reads them when that changes what is drawn.
    // True when the picture changed.
    bool follow(const QStringList &logs, NodeHeat::Measure measure);
    // Reads the logs again when one changed; true when the picture changed.
    bool update();

    // nullptr when no log can be read; why() says why.
    const HeatPicture *picture() const { return m_picture.get(); }
    const QString &why() const { return m_why; }
    // The logs' reads since the logs or the measure last changed.
    int reads() const { return m_reads; }

private:
    QList<std::optional<FolderStamp::File>> stamps() const;
    void read();

    QStringList m_logs;
    NodeHeat::Measure m_measure = NodeHeat::Measure::Inspections;
    bool m_read = false;
    QList<std::optional<FolderStamp::File>> m_stamps;
    std::unique_ptr<HeatPicture> m_picture;
    QString m_why;
    int m_reads = 0;
};
