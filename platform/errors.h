#pragma once
// Errors that end a user action. The program's own code does not catch them:
// the application shows them in the error report where the event was delivered.

#include <QString>
#include <QByteArray>
#include <exception>

class AppError : public std::exception {
public:
    explicit AppError(QString message);
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A failed file operation, with the message of one of the run-time library's
// I/O codes.
class IoError : public AppError {
public:
    enum Code {
        FileNotFound = 2,
        InvalidFilename = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        ReadBeyondEnd = 100,
        DiskFull = 101,
        InvalidNumericInput = 106,
    };

    explicit IoError(int code);

    static QString messageFor(int code);
    // The library code of an errno value; 0 when it has none.
    static int codeForErrno(int err);
    // An unknown errno value is reported as "I/O error <errno>".
    static IoError fromErrno(int err);

    // The errno value the error came from; 0 when the system gave none.
    int systemError() const { return systemError_; }

private:
    explicit IoError(const QString& message);

    int systemError_ = 0;
};

// "'x' is not a valid integer value"
class ConversionError : public AppError {
public:
    explicit ConversionError(const QString& text);
};

// Text to integer as the program expects it: optional sign, decimal digits,
// leading blanks allowed; anything else throws ConversionError.
int toInteger(const QString& text);

// The text of the error report: the message, plus a full stop when its
// last character has a higher code than the full stop.
QString errorReportText(const QString& message);
