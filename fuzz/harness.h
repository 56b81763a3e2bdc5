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

// The journal of a rewrite of the student file, as the bytes of
// ZORPAlunos20.dat.anterior beside a file of three students, then the roster
// loaded: a whole journal of one of the three puts that record back, any
// other bytes change nothing; the journal goes and no lock is left.
QString checkJournal(const QByteArray& journal);

// The key statistics file read for the student whose number the first four
// bytes hold and for student 0: what the figures add up to is what the
// records hold, every figure between 0 and 1, and the keys to train are keys
// a keyboard types.
QString checkKeyStatistics(const QByteArray& file);

// The teacher's change log: its last lines, each one line and none empty,
// and a line added after whatever the file ends with is read back whole.
QString checkChangeLog(const QByteArray& file);
