#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>

// An A4 portrait PDF drawn in millimetres, for the schedule and the receipts: every text
// is drawn inside its box, its font made smaller until it fits (down to a floor that stays
// readable, then cut with "..." rather than drawn over its neighbours). Black on white
// only, so that a black-and-white printer loses nothing. Held in memory, so that the file
// is put in place whole or not at all (OutputFile).
class PaymentPdf
{
public:
    static constexpr double PageWidth = 210.0;
    static constexpr double PageHeight = 297.0;
    static constexpr double Margin = 15.0;

    // A PDF in memory (finish() gives its bytes).
    // made: the document's date of creation written into it (else the PDF writer's clock).
    PaymentPdf(const QString &title, const QDateTime &made);
    // Drawn on a device of pages given, as a printer chosen in the print dialog.
    explicit PaymentPdf(QPagedPaintDevice *device);
    ~PaymentPdf();

    // One face in four sizes; Bold is a heading's, a size above Plain.
    enum Style { Plain, Bold, Small, Large };
    // Draws text in box (mm) with the flags of QPainter::drawText (Qt::TextWordWrap to
    // wrap); the font shrinks from the style's size until the text fits.
    void text(const QRectF &box, const QString &text, Style style = Plain,
              int flags = Qt::AlignLeft | Qt::AlignVCenter);
    // A frame, and a line, 0.3 mm wide, or a dashed one where the page is to be cut.
    void frame(const QRectF &box);
    void line(double x1, double y1, double x2, double y2, bool dashed = false);
    // The height text needs at the style's size when wrapped in width (mm).
    double heightOf(const QString &text, double width, Style style);
    void newPage();

    // Ends the document: the PDF's bytes (empty when drawn on a device given).
    QByteArray finish();

    // A document drawn by drawOn: as a PDF's bytes, or on the pages of a device.
    using Drawing = std::function<void(PaymentPdf &)>;
    static QByteArray bytes(const QString &title, const QDateTime &made, const Drawing &drawOn);
    static void onDevice(QPagedPaintDevice *device, const Drawing &drawOn);

private:
    QFont font(Style style, double points) const;
    static double size(Style style);
    QRectF device(const QRectF &box) const;
    double dots(double mm) const;

    QDateTime m_made;
    QByteArray m_bytes;
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QPagedPaintDevice *m_device = nullptr;
    std::unique_ptr<QPainter> m_painter;
};
