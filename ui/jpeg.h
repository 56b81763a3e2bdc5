#pragma once
// JPEG pictures decoded with libjpeg.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// The decoded picture; a null image when the data is not a readable JPEG.
QImage DecodificaJpeg(const QByteArray& dados);

// Decodes a JPEG file or resource (":/assets/fotos/..."); a picture asked for
// again comes from the first decoding, and one being decoded ahead is waited for.
QImage CarregaJpeg(const QString& caminho);

// Starts decoding the pictures, each on a thread of its own, for a later
// CarregaJpeg.
void AntecipaJpeg(const QStringList& caminhos);
