#pragma once

#include <QString>

#include <optional>
#include <utility>

// What the core hands back instead of throwing: success, or a French reason
// that the window puts into its message.
class Status
{
public:
    static Status success() { return Status(); }
    static Status failure(QString reason) { return Status(std::move(reason)); }
    // A failure whose French reason goes into the sentence and whose details
    // (the engine's own words) go into the message box's details.
    static Status failure(QString reason, QString details)
    {
        Status failed(std::move(reason));
        failed.m_details = std::move(details);
        return failed;
    }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& error() const { return m_error; }
    const QString& details() const { return m_details; }

private:
    Status() = default;
    explicit Status(QString reason) : m_ok(false), m_error(std::move(reason)) {}

    bool m_ok = true;
    QString m_error;
    QString m_details;
};

template <typename T>
class Result
{
public:
    Result(T value) : m_value(std::move(value)) {} // NOLINT: implicit on purpose
    Result(const Status& failed) : m_error(failed.error()), m_details(failed.details()) {} // NOLINT

    static Result failure(QString reason) { return Result(Status::failure(std::move(reason))); }
    static Result failure(QString reason, QString details)
    {
        return Result(Status::failure(std::move(reason), std::move(details)));
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }
    const QString& details() const { return m_details; }
    const T& value() const { return *m_value; }
    T& value() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    Status status() const { return ok() ? Status::success() : Status::failure(m_error, m_details); }

private:
    std::optional<T> m_value;
    QString m_error;
    QString m_details;
};
