#pragma once
// What the build's tools share: telling a fault on the standard error, and
// reading and writing a file whole.

#include <QByteArray>
#include <QString>
#include <optional>

void complain(const QString& text);
// The file's bytes, or nothing (the cause told) when it cannot be read.
std::optional<QByteArray> readWhole(const QString& path);
// A failed write leaves the previous file as it was (the cause told).
bool writeWhole(const QString& path, const QByteArray& bytes);
