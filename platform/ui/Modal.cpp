#include "Modal.h"

namespace ui {

namespace {

ModalHook& currentHook()
{
    static ModalHook hook;
    return hook;
}

}  // namespace

ModalHook setModalHook(ModalHook hook)
{
    ModalHook previous = std::move(currentHook());
    currentHook() = std::move(hook);
    return previous;
}

ModalHookScope::ModalHookScope(ModalHook hook) : previous_(setModalHook(std::move(hook))) {}

ModalHookScope::~ModalHookScope()
{
    setModalHook(std::move(previous_));
}

int execModal(QDialog& window)
{
    // A copy: the hook may open further windows, or replace itself.
    const ModalHook hook = currentHook();
    if (!hook)
        return window.exec();
    window.setResult(QDialog::Rejected);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    QPointer<QDialog> alive(&window);
    hook(window);
    if (!alive)
        return QDialog::Rejected;
    if (window.isVisible())
        window.hide();
    return window.result();
}

}  // namespace ui
