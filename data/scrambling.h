#pragma once
// The scrambling of the records' text fields with each record's own key.
// Texts are Windows-1252 byte strings.

#include <QByteArray>

// The 20-character text that stands for the empty text in scrambled form.
inline const QByteArray kMarcaTextoVazio = QByteArrayLiteral("&#&#&#&#&#%$%$%$%$%$");

// A new random 10-character key. Lets pending events run before each draw.
QByteArray GeraChave();

// The scrambled form of texto under chave. A key whose shift characters are
// not digits throws the conversion error.
QByteArray Embaralha(const QByteArray& texto, const QByteArray& chave);

// The plain form of a scrambled texto under chave.
QByteArray Desembaralha(const QByteArray& texto, const QByteArray& chave);
