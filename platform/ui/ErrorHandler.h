#pragma once

#include <QObject>
#include <QString>

#include <concepts>
#include <exception>
#include <functional>
#include <utility>

namespace ui {

// The text an error shows in the error box: the database's own message for
// db::Error and db::ConversionError, what() for other exceptions.
QString errorText(const std::exception_ptr& error);

// Shows the error in the standard error box of the dialog service. Never
// throws: it runs where an exception has to stop.
void reportError(const std::exception_ptr& error) noexcept;
// For use inside a catch block.
void reportCurrentException() noexcept;

// Runs one command: an exception that escapes it is shown in the error box
// and the command stops there, the way the program treats every uncaught
// error. Returns whether the command ran to its end.
template <class Command>
bool guarded(Command&& command) noexcept
{
    try {
        std::forward<Command>(command)();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

// Connects a handler so that its exceptions end in the error box instead of
// unwinding through Qt's event loop. The handler takes the signal's
// arguments, or fewer from the front, like any Qt slot.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection connectGuarded(const Sender* sender, Signal signal, const QObject* context, Handler handler)
{
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)]<class... Args>(Args&&... args) mutable
                            requires std::invocable<Handler&, Args...>
                            { guarded([&] { std::invoke(handler, std::forward<Args>(args)...); }); });
}

// The same for a handler method without arguments (`ToolButton1Click`).
template <class Sender, class Signal, class Receiver>
QMetaObject::Connection connectGuarded(const Sender* sender, Signal signal, Receiver* receiver,
                                       void (Receiver::*method)())
{
    return QObject::connect(sender, signal, receiver,
                            [receiver, method] { guarded([&] { (receiver->*method)(); }); });
}

}  // namespace ui
