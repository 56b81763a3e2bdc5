#pragma once
// The one place where the records' Windows-1252 bytes meet the screens' QString.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

QString fromCp1252(QByteArrayView bytes);

// The byte of a character, or nothing when Windows-1252 cannot hold it.
std::optional<char> toCp1252(QChar c);

// A whole text; a character that Windows-1252 cannot hold becomes "?".
QByteArray toCp1252(const QString& text);
