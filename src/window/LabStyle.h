#pragma once

#include <QFont>
#include <QHash>
#include <QProxyStyle>
#include <QRect>
#include <QString>

// The window's look: Qt's Fusion style, except that a captioned frame is drawn as a
// plain etched rectangle whose top edge runs through the middle of its caption. Fusion draws it by stretching a small picture over the frame's
// edges, a blend that Qt hands to its worker threads for every tall frame and waits for:
// most of the time of a click that shows, hides or repaints a frame.
class LabStyle : public QProxyStyle
{
public:
    LabStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    // Where a frame's caption stands, as the style lays it out. Measuring the text shapes
    // it, so each caption is measured once in each font and frame width (the notepad's
    // caption changes with every node clicked).
    struct CaptionKey
    {
        QString text;
        QFont font;
        int width = 0;
        bool operator==(const CaptionKey &other) const
        {
            return width == other.width && text == other.text && font == other.font;
        }
        friend size_t qHash(const CaptionKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.font, key.width);
        }
    };
    QRect captionRect(const QStyleOption *option, const QWidget *widget) const;

    mutable QHash<CaptionKey, QRect> m_captions;
};
