#pragma once
// The class report: one row per student of the roster, as a spreadsheet's CSV
// or as a printable PDF with each student's speed chart. It holds no password
// and no e-mail: a password protects the lessons, not the progress.

#include "students/desempenho.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

class QPagedPaintDevice;

inline const QString kTituloDoRelatorio = QStringLiteral("Relatório da turma");

// A4 with margins of 15 mm: the report's paper, on file and on a printer.
void preparaFolhas(QPagedPaintDevice& folhas);

// Lays the report out on the pages of folhas: a title, the course folder and
// the date printed, then each student's row and speed chart, a student never
// split between two pages. False when the device cannot be painted on.
bool desenhaRelatorio(QPagedPaintDevice& folhas, const std::vector<Desempenho>& turma, const QString& pasta,
                      const QDate& impresso);

// UTF-8 with a byte-order mark, ";" between fields and CRLF line ends, so that
// a spreadsheet in Portuguese opens it as it is.
QByteArray relatorioCsv(const std::vector<Desempenho>& turma);

// Writes the report into arquivo, in the format its extension names (.pdf or
// .csv), through a temporary file: on a failure (a full disk among them)
// nothing is written and an old report stays as it was. A target that is not
// a plain file (a link, a folder, a pipe, a device) or that is one of the
// course's own files is refused untouched. The PDF names the course folder
// and the date it was printed. Returns the problem, in the program's words,
// or nothing.
std::optional<QString> gravaRelatorio(const QString& arquivo, const std::vector<Desempenho>& turma,
                                      const QString& pasta, const QDate& impresso);

// The report of the command line: the course of `pasta` into arquivo (relative
// to the current directory). The course folder becomes the current directory.
// A folder that holds no course (no catalogue), or whose data files are not
// plain files, is a problem, not an empty report.
std::optional<QString> relatorioDaLinhaDeComando(const QString& arquivo, const QString& pasta);
