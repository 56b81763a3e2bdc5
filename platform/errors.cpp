#include "errors.h"


#include <cerrno>

AppError::AppError(QString message)
    : message_(std::move(message)), utf8_(message_.toUtf8())
{
}

IoError::IoError(int code)
    : AppError(messageFor(code))
{
}

IoError::IoError(const QString& message)
    : AppError(message)
{
}

IoError IoError::fromErrno(int err)
{
    const int code = codeForErrno(err);
    IoError error = code != 0 ? IoError(code) : IoError(QStringLiteral("I/O error %1").arg(err));
    error.systemError_ = err;
    return error;
}

QString IoError::messageFor(int code)
{
    switch (code) {
    case FileNotFound: return QStringLiteral("File not found");
    case InvalidFilename: return QStringLiteral("Invalid filename");
    case TooManyOpenFiles: return QStringLiteral("Too many open files");
    case AccessDenied: return QStringLiteral("File access denied");
    case ReadBeyondEnd: return QStringLiteral("Read beyond end of file");
    case DiskFull: return QStringLiteral("Disk full");
    case InvalidNumericInput: return QStringLiteral("Invalid numeric input");
    default: return QStringLiteral("I/O error %1").arg(code);
    }
}

int IoError::codeForErrno(int err)
{
    switch (err) {
    case ENOENT: return FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return AccessDenied;
    case EMFILE:
    case ENFILE: return TooManyOpenFiles;
    case ENAMETOOLONG:
    case EINVAL: return InvalidFilename;
    case ENOSPC:
    case EFBIG: return DiskFull;
    default: return 0;
    }
}

ConversionError::ConversionError(const QString& text)
    : AppError(QStringLiteral("'%1' is not a valid integer value").arg(text))
{
}

int toInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        throw ConversionError(text);
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            throw ConversionError(text);
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(INT32_MAX) + 1)
            throw ConversionError(text);
    }
    value = negative ? -value : value;
    if (value > INT32_MAX)
        throw ConversionError(text);
    return int(value);
}

QString errorReportText(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}
