#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

namespace ui {

// What a test does with a modal window while it is "shown": it gets the
// window after it became visible, acts on it and closes it.
using ModalHook = std::function<void(QDialog& window)>;

// Installs the hook and returns the previous one. While a hook is set,
// showing a window modally shows it, calls the hook and returns without
// waiting; a window still open after the hook is hidden without running its
// close handler.
ModalHook setModalHook(ModalHook hook);

// Installs a hook for the lifetime of the object.
class ModalHookScope {
public:
    explicit ModalHookScope(ModalHook hook);
    ~ModalHookScope();
    ModalHookScope(const ModalHookScope&) = delete;
    ModalHookScope& operator=(const ModalHookScope&) = delete;

private:
    ModalHook previous_;
};

// Shows the window modally and returns its result code.
int execModal(QDialog& window);

// The one way a command opens a window: create it with its owner, let the
// caller prepare it (caption, focus), show it modally, destroy it. Every
// command gets a fresh window; errors raised while it is created reach the
// caller like any other error of the command.
template <class Window, class Prepare>
int showModal(QWidget* owner, Prepare&& prepare)
{
    QPointer<Window> window = new Window(owner);
    struct Destroy {
        QPointer<Window>& w;
        ~Destroy() { delete w.data(); }
    } destroy{window};
    prepare(*window);
    return execModal(*window);
}

template <class Window>
int showModal(QWidget* owner)
{
    return showModal<Window>(owner, [](Window&) {});
}

}  // namespace ui
