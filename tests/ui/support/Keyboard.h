#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QTest>
#include <QWidget>

namespace uitest {

// The controls Tab stops at, in the order it visits them, starting after
// the window itself: what QWidget's own Tab walk accepts (a Tab focus
// policy, enabled, shown), a control standing in for another counted once.
inline QList<QWidget*> tabChain(QWidget* window)
{
    QList<QWidget*> chain;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (w->focusProxy() || w->window() != window)
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(window) && !chain.contains(w))
            chain.append(w);
    }
    return chain;
}

// A command the keyboard can work: a Tab stop, which Space presses, or a key
// of its own (a mnemonic counts).
inline bool keyboardReachable(QAbstractButton* button)
{
    return !button->shortcut().isEmpty() || tabChain(button->window()).contains(button);
}

// What a fingertip needs on a touch screen, in logical pixels.
constexpr int kFingerSize = 44;

inline bool fingerSized(const QWidget* widget)
{
    const QSize size = widget->size().expandedTo(widget->minimumSize());
    return size.width() >= kFingerSize && size.height() >= kFingerSize;
}

// Makes the window the active one, so that keys reach it as they would
// reach the window in front; shortcuts only work there. No events are
// processed on the way: a main window's first show must not run.
inline bool activate(QWidget* window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QApplication::activeWindow() == window;
}

// An icon drawn for a screen with twice the pixels: a drawing gives a
// picture of twice the size, a single small picture does not.
inline bool sharpAtDoubleScale(const QIcon& icon, QSize logical)
{
    const QPixmap pixmap = icon.pixmap(logical, 2.0);
    return !pixmap.isNull() && pixmap.size() == logical * 2 && qFuzzyCompare(pixmap.devicePixelRatio(), 2.0);
}

}  // namespace uitest
