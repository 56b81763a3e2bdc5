#pragma once
// The log of the corrections made on the teacher's screen, in the course
// folder: a line for each change, with its date and time, the student's
// number and what changed, never a password. UTF-8 text, appended under the
// lock of the records and on the disk before the file is closed.

#include <QString>
#include <QStringList>
#include <cstdint>

inline const QString kArquivoAlteracoes = QStringLiteral("ZORPAlteracoes20.txt");

// Appends a line, dated now, for each change of the student numbered codigo.
void RegistraAlteracoes(std::int32_t codigo, const QStringList& mudancas);

// Appends a line, dated now, for a change of the course itself, which is no
// student's ("senha do professor trocada").
void RegistraAlteracaoDoCurso(const QString& mudanca);

// The last lines of the log, the most recent first; none without a log.
QStringList UltimasAlteracoes(int quantas);
