#pragma once

#include <QString>

#include <cstdint>

// A result of an automation operation, independent of the transport: nothing (the empty
// value), a double, a 32-bit integer or a string.
struct TAutomationValue {
    enum class Kind {
        Empty,
        Double,
        Integer,
        String
    };

    Kind kind = Kind::Empty;
    double number = 0;
    std::int32_t integer = 0;
    QString text;

    static TAutomationValue fromDouble(double value) { return {Kind::Double, value, 0, {}}; }
    static TAutomationValue fromInteger(std::int32_t value) {
        return {Kind::Integer, 0, value, {}};
    }
    static TAutomationValue fromString(const QString& value) { return {Kind::String, 0, 0, value}; }
    bool isEmpty() const noexcept { return kind == Kind::Empty; }
    void clear() { *this = TAutomationValue(); }
};

// How an automation operation ended: success, or a failure with a status name and a message.
struct TAutomationStatus {
    // The status of an unexpected failure.
    static constexpr const char* kFailed = "com.velmark.Zentaro.Error.Failed";

    bool ok = true;
    QString errorName;
    QString message;

    static TAutomationStatus success() { return {}; }
    static TAutomationStatus failure(const QString& message) {
        return {false, QString::fromLatin1(kFailed), message};
    }
};
