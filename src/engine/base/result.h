#pragma once

#include <QString>
#include <utility>
#include <variant>

// Why an operation failed: a description for people, and the system's error number where one
// caused it (0 otherwise).
struct Error {
    QString reason;
    int code = 0;

    // The same error, told as the failure of a step: "<step>: <reason>".
    Error during(const QString& step) const { return {step + QLatin1String(": ") + reason, code}; }
};

// The error the system reported by its number, described as the system does.
inline Error systemError(int code) {
    return {qt_error_string(code), code};
}

// The outcome of an operation that can fail: its value, or the error that kept it from one.
template <class T> class Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool hasValue() const { return state_.index() == 0; }
    explicit operator bool() const { return hasValue(); }
    T& operator*() { return std::get<0>(state_); }
    const T& operator*() const { return std::get<0>(state_); }
    T* operator->() { return &std::get<0>(state_); }
    const T* operator->() const { return &std::get<0>(state_); }
    T valueOr(T fallback) const& { return hasValue() ? **this : std::move(fallback); }
    // Only for a failed outcome.
    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

// The outcome of an operation that has no value: done, or the error that stopped it.
template <> class Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)), isDone_(false) {}

    bool hasValue() const { return isDone_; }
    explicit operator bool() const { return isDone_; }
    const Error& error() const { return error_; }

private:
    Error error_;
    bool isDone_ = true;
};
