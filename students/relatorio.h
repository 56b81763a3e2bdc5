#pragma once
// The class report's contents, without a page: one row per student of the
// roster, the rows as a spreadsheet's CSV, and the report's file written
// whole. It holds no password and no e-mail: a password protects the
// lessons, not the progress.

#include "students/desempenho.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

inline const QString kTituloDoRelatorio = QStringLiteral("Relatório da turma");

// The headings of the table of the students who passed an exercise, and a
// student's row in it.
extern const QStringList kColunasDoRelatorio;
QStringList linhaDoRelatorio(const Desempenho& aluno);

// The same for the students without a pass.
extern const QStringList kColunasSemPassagens;
QStringList linhaSemPassagens(const Desempenho& aluno);

// UTF-8 with a byte-order mark, ";" between fields and CRLF line ends, so that
// a spreadsheet in Portuguese opens it as it is.
QByteArray relatorioCsv(const std::vector<Desempenho>& turma);

enum class FormatoDoRelatorio { Pdf, Csv };

// The format the file's extension names; nothing for any other.
std::optional<FormatoDoRelatorio> formatoDoRelatorio(const QString& arquivo);
QString extensaoRecusada(const QString& arquivo);

// Writes into arquivo what conteudoEm makes for the format its extension
// names, through a temporary file: on a failure (a full disk among them)
// nothing is written and an old report stays as it was. A target that is not
// a plain file (a link, a folder, a pipe, a device) or that is one of the
// course's own files in pasta is refused untouched, before anything is made;
// empty contents are a PDF that could not be drawn. Returns the problem, in
// the program's words, or nothing.
std::optional<QString> gravaArquivoDoRelatorio(const QString& arquivo, const QString& pasta,
                                               const std::function<QByteArray(FormatoDoRelatorio)>& conteudoEm);
