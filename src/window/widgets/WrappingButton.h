#pragma once

#include <QPushButton>

#include <optional>

// A command button whose caption wraps inside the button, centred, as on the classic
// toolkit this layout was drawn for. Enter and the space bar click it when it has the
// focus, once however long the key is held.
//
// The program shows buttons in the place of the one just clicked (NextAttempt and
// ExperimentOver where Continue was). So that the second click of a double click does
// not press the new button, a button ignores a press that comes within the platform's
// double-click interval of the mouse click during which it appeared. Times are the
// events' own time stamps, so tests can run faster than real time; the window tells
// the buttons of every mouse button event (noteMouseButton) before it is delivered.
class WrappingButton : public QPushButton
{
    Q_OBJECT

public:
    explicit WrappingButton(const QString &caption, QWidget *parent = nullptr);

    static void noteMouseButton(quint64 timestamp);

    // Where a face draws its caption: clear of the bevel on every side, wrapped. A face
    // less than two lines high keeps its caption on one line, centred over its height.
    static QRect captionArea(const QRect &face, double lineSpacing);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::optional<quint64> m_appearedAt; // the last mouse button event's time when shown
};
