#pragma once

// Internal to the data layer: access to Firebird's object API and the one
// place where its errors become db::Error.

#include "Error.h"

#include <firebird/Interface.h>

namespace db::fb {

Firebird::IMaster* master();
Firebird::IUtil* util();

// A status object for one call sequence; disposed when it goes out of scope.
class Status {
public:
    Status() : wrapper_(master()->getStatus()) {}
    ~Status() { wrapper_.dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    Firebird::ThrowStatusWrapper* operator&() { return &wrapper_; }

private:
    Firebird::ThrowStatusWrapper wrapper_;
};

Error toError(const Firebird::FbException& e);

// Runs a call sequence against the client library and turns its exception
// into ours.
template <class F>
auto call(F&& f) -> decltype(f(std::declval<Status&>()))
{
    Status status;
    try {
        return f(status);
    } catch (const Firebird::FbException& e) {
        throw toError(e);
    }
}

}  // namespace db::fb
