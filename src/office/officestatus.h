#pragma once

#include <QString>

// The outcome of one office call: success, or a run-time error number with a readable text.
// The numbers are those the callers tell apart; every other failure carries OtherFailure.
class OfficeStatus
{
public:
    enum Number : int {
        Ok = 0,
        FileNotFound = 53,       // the file to open does not exist
        PermissionDenied = 70,   // the file cannot be read or written, or is locked
        CannotStart = 429,       // the office could not be started or reached
        OfficeStopped = 462,     // the office stopped answering, or ended, during a call
        OtherFailure = 440,      // any other failure of an office call
        DocumentNotFound = 5151, // the word processor's "file to base a document on not found"
    };

    OfficeStatus() = default;
    OfficeStatus(int number, const QString &text) : m_number(number), m_text(text) {}

    static OfficeStatus success() { return {}; }
    static OfficeStatus fileNotFound(const QString &path);
    static OfficeStatus permissionDenied(const QString &path);
    static OfficeStatus failure(const QString &text) { return {OtherFailure, text}; }

    bool ok() const { return m_number == Ok; }
    int number() const { return m_number; }
    QString text() const { return m_text; }

private:
    int m_number = Ok;
    QString m_text;
};
