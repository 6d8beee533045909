#pragma once

#include "window/widgets/MessageBoxes.h"

#include <QList>

// The window's boxes, passed on to the real ones, with a note of the box that is open at
// the moment: a run that a signal ends records which box the subject or the experimenter
// had before them. Once silenced, boxes are no longer shown (the program is ending on the
// system's order, and no one may be there to answer); they return at once.
class WatchedMessageBoxes : public MessageBoxes
{
public:
    struct Box
    {
        bool warning = false;
        QString title;
        QString text;
    };

    explicit WatchedMessageBoxes(MessageBoxes &shown) : m_shown(shown) {}

    void information(QWidget *parent, const QString &title, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;

    // The box on top, if one is open.
    bool isOpen() const { return !m_open.isEmpty(); }
    Box open() const { return m_open.isEmpty() ? Box() : m_open.last(); }

    void silence() { m_silent = true; }

private:
    void show(const Box &box, QWidget *parent);

    MessageBoxes &m_shown;
    QList<Box> m_open; // a box opened while another waits lies on top of it
    bool m_silent = false;
};
