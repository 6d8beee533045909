#pragma once

#include <QLabel>

// A label that shows a picture kept in eight bits a pixel (ShownPicture::compact) as fast
// as one kept in the screen's own format, without holding a second copy of it: painted in
// strips, each converted exactly and copied to the screen. Qt itself would convert every
// pixel through its general path at every paint. Any other picture, and any text, the
// label paints as a QLabel does.
class PictureLabel : public QLabel
{
public:
    explicit PictureLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
