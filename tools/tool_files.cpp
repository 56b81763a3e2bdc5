#include "tools/tool_files.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

void complain(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

std::optional<QByteArray> readWhole(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return file.readAll();
    complain(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return std::nullopt;
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile output(path);
    if (output.open(QIODevice::WriteOnly) && output.write(bytes) == bytes.size() && output.commit())
        return true;
    complain(QStringLiteral("%1: %2").arg(path, output.errorString()));
    return false;
}
