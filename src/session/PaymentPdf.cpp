#include "session/PaymentPdf.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QRegularExpression>

namespace {

constexpr int Resolution = 600; // dots per inch of the writer's device
constexpr double SmallestPoints = 6.0;

} // namespace

PaymentPdf::PaymentPdf(const QString &title, const QDateTime &made) : m_made(made), m_buffer(&m_bytes)
{
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setResolution(Resolution);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                        QPageLayout::Millimeter));
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("treelab"));
    m_device = m_writer.get();
    m_painter = std::make_unique<QPainter>(m_device);
    m_painter->setPen(QPen(Qt::black, dots(0.3)));
}

PaymentPdf::PaymentPdf(QPagedPaintDevice *device) : m_device(device)
{
    m_device->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                        QPageLayout::Millimeter));
    m_painter = std::make_unique<QPainter>(m_device);
    m_painter->setPen(QPen(Qt::black, dots(0.3)));
}

double PaymentPdf::dots(double mm) const
{
    return mm * m_device->logicalDpiX() / 25.4;
}

PaymentPdf::~PaymentPdf() = default;

double PaymentPdf::size(Style style)
{
    switch (style) {
    case Small: return 8.0;
    case Large: return 16.0;
    case Bold: return 11.0;
    default: return 10.0;
    }
}

QFont PaymentPdf::font(Style style, double points) const
{
    // Arial where there is one (Windows), its metric twin Liberation Sans on Linux.
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    // One face only: with two, the PDF writer puts them into the file in the order of a
    // hash that differs from process to process, and the same payments would not make
    // the same bytes. Bold is drawn a size larger instead.
    Q_UNUSED(style);
    return f;
}

QRectF PaymentPdf::device(const QRectF &box) const
{
    return QRectF(dots(box.x()), dots(box.y()), dots(box.width()), dots(box.height()));
}

void PaymentPdf::text(const QRectF &box, const QString &text, Style style, int flags)
{
    const QRectF area = device(box);
    for (double points = size(style); points >= SmallestPoints; points -= 0.5) {
        const QFont f = font(style, points);
        const QRectF needed = QFontMetricsF(f, m_device).boundingRect(area, flags, text);
        if (needed.width() <= area.width() + 0.5 && needed.height() <= area.height() + 0.5) {
            m_painter->setFont(f);
            m_painter->drawText(area, flags, text);
            return;
        }
    }
    const QFont f = font(style, SmallestPoints);
    m_painter->setFont(f);
    const QFontMetricsF metrics(f, m_device);
    m_painter->drawText(area, (flags & ~Qt::TextWordWrap) | Qt::TextSingleLine,
                        metrics.elidedText(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                                           Qt::ElideRight, area.width()));
}

double PaymentPdf::heightOf(const QString &text, double width, Style style)
{
    const QFontMetricsF metrics(font(style, size(style)), m_device);
    const QRectF needed =
        metrics.boundingRect(QRectF(0, 0, dots(width), dots(PageHeight)), Qt::TextWordWrap | Qt::AlignLeft, text);
    return needed.height() * 25.4 / m_device->logicalDpiX();
}

void PaymentPdf::frame(const QRectF &box)
{
    m_painter->setPen(QPen(Qt::black, dots(0.3)));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(device(box));
}

void PaymentPdf::line(double x1, double y1, double x2, double y2, bool dashed)
{
    m_painter->setPen(QPen(Qt::black, dots(0.3), dashed ? Qt::DashLine : Qt::SolidLine));
    m_painter->drawLine(QPointF(dots(x1), dots(y1)), QPointF(dots(x2), dots(y2)));
    m_painter->setPen(QPen(Qt::black, dots(0.3)));
}

void PaymentPdf::newPage()
{
    m_device->newPage();
}

QByteArray PaymentPdf::finish()
{
    m_painter->end();
    if (!m_buffer.isOpen())
        return m_bytes;
    m_buffer.close();
    // The writer stamps its own clock; the same date of the same length in its place keeps
    // every offset of the file, and the same payments make the same bytes.
    static const QRegularExpression stamp(QStringLiteral("/CreationDate \\(D:[0-9]{14}Z\\)"));
    const QString text = QString::fromLatin1(m_bytes.left(4096));
    const QRegularExpressionMatch found = stamp.match(text);
    if (m_made.isValid() && found.hasMatch())
        m_bytes.replace(found.capturedStart(), found.capturedLength(),
                        QStringLiteral("/CreationDate (D:%1Z)")
                            .arg(m_made.toUTC().toString(QStringLiteral("yyyyMMddhhmmss")))
                            .toLatin1());
    return m_bytes;
}

QByteArray PaymentPdf::bytes(const QString &title, const QDateTime &made, const Drawing &drawOn)
{
    PaymentPdf pdf(title, made);
    drawOn(pdf);
    return pdf.finish();
}

void PaymentPdf::onDevice(QPagedPaintDevice *device, const Drawing &drawOn)
{
    PaymentPdf pdf(device);
    drawOn(pdf);
    pdf.finish();
}
