#pragma once
// One input of each file reader, checked against what the reader must leave
// behind whatever the bytes are. Each check writes the bytes as its file into
// the current directory, runs the reader and returns what went wrong, or an
// empty text. An error other than the key's conversion error is a finding too.
// The fuzz targets abort on a finding; the regression tests replay the inputs.

#include <QByteArray>
#include <QString>

// CarregaExercicios over the bytes as the catalogue.
QString checkCatalogue(const QByteArray& file);

// CarregaAlunos and MaiorCodigo over the bytes as the student file.
QString checkRoster(const QByteArray& file);

// LeHistoricoAulas over the bytes as the lesson file, for the student whose
// number the file's first four bytes hold (so that records of theirs occur).
QString checkHistory(const QByteArray& file);

// The progress figures over the bytes as the lesson file, for three students:
// the one whose number the file's first four bytes hold, a neighbour, and 0.
QString checkProgress(const QByteArray& file);

// Desembaralha with an arbitrary key: the first byte gives the key's length
// (modulo 12), the key follows, and the rest is the stored text.
QString checkUnscrambling(const QByteArray& input);

// LeListaDaTurma over the bytes as a class list: every line left in holds a
// name the registration screen takes, written out and read again it gives
// the same students, and the repetitions within the list are all marked.
QString checkClassList(const QByteArray& file);
