#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace uitest {

// The control a screen reader would announce by this name, as tests find
// controls the way users name them.
template <class Control = QWidget>
Control* findByAccessibleName(QWidget* root, const QString& name)
{
    for (Control* c : root->findChildren<Control*>()) {
        if (c->accessibleName() == name)
            return c;
    }
    return nullptr;
}

// Types text key by key, Turkish letters included (QTest only types the
// characters it has key codes for).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

}  // namespace uitest
