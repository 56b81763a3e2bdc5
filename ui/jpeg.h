#pragma once
// JPEG pictures decoded with libjpeg.

#include <QByteArray>
#include <QImage>
#include <QString>

// The decoded picture; a null image when the data is not a readable JPEG.
QImage DecodificaJpeg(const QByteArray& dados);

// Decodes a JPEG file or resource (":/assets/fotos/..."); a picture asked for
// again comes from the first decoding.
QImage CarregaJpeg(const QString& caminho);
