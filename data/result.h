#pragma once

#include "data/storefailure.h"

#include <optional>
#include <utility>

namespace hov {

// What a store read found: the thing, nothing, or "could not read". A failed read is never
// taken for "nothing": the caller tells the operator why (failure()).
enum class Lookup { Found, NotFound, Failed };

// A value read from a store, or why there is none.
//
//   const Result<Subject> s = db.findSubject(code);
//   if (s.isFailed())   -> show describe(s.failure()), with s.failure().detail as details
//   if (s.isNotFound()) -> "no such subject"
//   use *s or s->code
template <typename T>
class Result {
public:
    static Result found(T value) { return Result(Lookup::Found, std::move(value), {}); }
    static Result notFound() { return Result(Lookup::NotFound, std::nullopt, {}); }
    static Result failed(StoreFailure failure) {
        return Result(Lookup::Failed, std::nullopt, std::move(failure));
    }

    Lookup status() const { return status_; }
    bool isFound() const { return status_ == Lookup::Found; }
    bool isNotFound() const { return status_ == Lookup::NotFound; }
    bool isFailed() const { return status_ == Lookup::Failed; }

    // Only when found.
    const T& value() const { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    // Only when failed.
    const StoreFailure& failure() const { return failure_; }

private:
    Result(Lookup status, std::optional<T> value, StoreFailure failure)
        : status_(status), value_(std::move(value)), failure_(std::move(failure)) {}
    Lookup status_;
    std::optional<T> value_;
    StoreFailure failure_;
};

} // namespace hov
