#include "room/widgets/LiveTreeView.h"

#include <QPainter>

LiveTreeView::LiveTreeView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LiveTree"));
    setAccessibleName(QStringLiteral("The subject's tree"));
    setMinimumSize(minimumSizeHint());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    m_attempt.follow(QString());
    changed();
}

void LiveTreeView::follow(const QString &path)
{
    m_attempt.follow(path);
    changed();
}

void LiveTreeView::refresh()
{
    if (m_showsRoom ? m_room.update() : m_attempt.update())
        changed();
}

void LiveTreeView::showRoom(bool on)
{
    m_showsRoom = on;
    setAccessibleName(on ? QStringLiteral("The room's heatmap") : QStringLiteral("The subject's tree"));
    // The room's logs are followed (followRoom) before it is shown; the attempt is brought
    // up to date on the way back.
    if (!on)
        m_attempt.update();
    changed();
}

void LiveTreeView::followRoom(const QStringList &logs, NodeHeat::Measure measure)
{
    if (m_room.follow(logs, measure) && m_showsRoom)
        changed();
}

const Drawing *LiveTreeView::drawing() const
{
    if (m_showsRoom)
        return m_room.picture() ? &m_room.picture()->drawing() : nullptr;
    return m_attempt.picture() ? &m_attempt.picture()->drawing() : nullptr;
}

const QString &LiveTreeView::why() const
{
    return m_showsRoom ? m_room.why() : m_attempt.why();
}

void LiveTreeView::changed()
{
    setAccessibleDescription(drawing() ? QString() : why());
    update();
}

QSize LiveTreeView::sizeHint() const
{
    return {560, 400};
}

QSize LiveTreeView::minimumSizeHint() const
{
    return {400, 300};
}

void LiveTreeView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const Drawing *picture = drawing();
    if (!picture) {
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, why());
        return;
    }
    // The picture in points, scaled to the view as a whole and centred.
    const double scale = std::min(width() / picture->width, height() / picture->height);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate((width() - picture->width * scale) / 2, (height() - picture->height * scale) / 2);
    picture->paint(painter, scale);
}
