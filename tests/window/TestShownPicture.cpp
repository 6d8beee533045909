#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "window/widgets/Controls.h"
#include "window/widgets/PictureLabel.h"
#include "window/widgets/ShownPicture.h"
#include "window/TreeWindow.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

// A picture kept for the whole run holds every pixel it shows, in as little memory as
// holds them exactly; the logo on screen is the logo's file to the pixel.
class TestShownPicture : public QObject
{
    Q_OBJECT

    // A w x h picture of the given format painted with `colours` different colours, in
    // stripes one pixel wide; alpha, if the format has it, varies too.
    static QImage stripes(int w, int h, int colours, QImage::Format format)
    {
        QImage image(w, h, format);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int k = (x + y * w) % colours;
                image.setPixel(x, y, qRgba(k % 256, (k * 7) / 256 % 256, 255 - k % 256, 255 - k % 200));
            }
        return image;
    }

    static QImage pixels(const QImage &image)
    {
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }

private slots:
    void compactKeepsEveryPixelInLessMemory_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QImage::Format>("kept");
        QTest::newRow("5 colours, as the logo") << stripes(393, 289, 5, QImage::Format_RGB32) << QImage::Format_Indexed8;
        QTest::newRow("256 colours") << stripes(64, 40, 256, QImage::Format_RGB32) << QImage::Format_Indexed8;
        QTest::newRow("257 colours") << stripes(64, 40, 257, QImage::Format_RGB32) << QImage::Format_RGB888;
        QTest::newRow("a smooth scaling's many colours")
            << stripes(40, 30, 256, QImage::Format_RGB32).scaled(97, 71, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            << QImage::Format_RGB888;
        QTest::newRow("alpha kept as it is") << stripes(30, 20, 5, QImage::Format_ARGB32) << QImage::Format_ARGB32;
    }

    void compactKeepsEveryPixelInLessMemory()
    {
        QFETCH(QImage, picture);
        QFETCH(QImage::Format, kept);
        const QImage compact = ShownPicture::compact(picture);
        QCOMPARE(compact.format(), kept);
        QCOMPARE(compact.size(), picture.size());
        QCOMPARE(pixels(compact), pixels(picture));
        QVERIFY(compact.sizeInBytes() <= picture.sizeInBytes());
    }

    // A compact picture painted in strips is the picture a QLabel paints, wherever the
    // label's alignment and size put it.
    void aPictureLabelPaintsAsAQLabel_data()
    {
        QTest::addColumn<QSize>("labelSize");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("the picture's size") << QSize(150, 100) << int(Qt::AlignLeft | Qt::AlignVCenter) << 1.0;
        QTest::newRow("larger, centred") << QSize(210, 157) << int(Qt::AlignCenter) << 1.0;
        QTest::newRow("larger, bottom right") << QSize(203, 131) << int(Qt::AlignRight | Qt::AlignBottom) << 1.0;
    }

    void aPictureLabelPaintsAsAQLabel()
    {
        QFETCH(QSize, labelSize);
        QFETCH(int, alignment);
        QFETCH(qreal, ratio);
        const QImage compact = ShownPicture::compact(stripes(150, 100, 5, QImage::Format_RGB32));
        QCOMPARE(compact.format(), QImage::Format_Indexed8);
        QPixmap shown = QPixmap::fromImage(compact, Qt::NoFormatConversion);
        shown.setDevicePixelRatio(ratio);
        QCOMPARE(shown.depth(), 8);
        // The reference: the same pixels in the screen's format, in a QLabel.
        QPixmap screenFormat = QPixmap::fromImage(compact.convertToFormat(QImage::Format_RGB32));
        screenFormat.setDevicePixelRatio(ratio);
        PictureLabel strips;
        QLabel plain;
        for (QLabel *label : {static_cast<QLabel *>(&strips), &plain}) {
            label->setAlignment(Qt::Alignment(alignment));
            label->resize(labelSize);
        }
        strips.setPixmap(shown);
        plain.setPixmap(screenFormat);
        QCOMPARE(pixels(strips.grab().toImage()), pixels(plain.grab().toImage()));
    }

    // At 96 DPI the logo is shown at the size of its file: every pixel on screen is the
    // file's, and the label keeps one byte a pixel and no scaled copy.
    void theLogoOnScreenIsItsFileToThePixel()
    {
        WindowFixture f;
        f.confirm();
        QLabel *logo = f.controls().OrrinLogo;
        const QImage file(QStringLiteral(":/OrrinLogo.png"));
        QCOMPARE(logo->contentsRect().size(), file.size());
        QCOMPARE(logo->grab().toImage().convertToFormat(QImage::Format_RGB32), file.convertToFormat(QImage::Format_RGB32));
        QVERIFY(!logo->hasScaledContents());
        QCOMPARE(logo->pixmap().size(), file.size());
        QCOMPARE(logo->pixmap().depth(), 8);
    }
};

DT_GUI_TEST_MAIN(TestShownPicture)
#include "TestShownPicture.moc"
