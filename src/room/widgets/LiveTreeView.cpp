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
    if (m_attempt.update())
        changed();
}

void LiveTreeView::changed()
{
    const TreePicture *picture = m_attempt.picture();
    setAccessibleDescription(picture ? QString() : m_attempt.why());
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
    const TreePicture *picture = m_attempt.picture();
    if (!picture) {
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, m_attempt.why());
        return;
    }
    // The picture in points, scaled to the view as a whole and centred.
    const double scale = std::min(width() / TreePicture::Width, height() / picture->height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate((width() - TreePicture::Width * scale) / 2, (height() - picture->height() * scale) / 2);
    picture->paint(painter, scale);
}
