#pragma once
// The common part of the fuzz targets: a Qt core application (the readers let
// pending events run), a private temporary directory as the current
// directory, and an abort with the finding's text when a check fails.

#include <QString>
#include <cstddef>
#include <cstdint>

using Check = QString (*)(const QByteArray&);

// Runs check on the input; aborts, naming the finding, when it reports one.
int fuzzOne(Check check, const std::uint8_t* data, std::size_t size);
