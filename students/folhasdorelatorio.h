#pragma once
// The class report on pages: as a printable PDF or on a printer, a table row
// and the speed chart of each student who passed an exercise, then those
// without a pass.

#include "students/relatorio.h"

#include <QDate>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>
#include <vector>

class QFontMetricsF;
class QPagedPaintDevice;
class QPaintDevice;

// A4 with margins of 15 mm: the report's paper, on file and on a printer.
void preparaFolhas(QPagedPaintDevice& folhas);

// A text of the report where it lies on its page: its lines, each no wider
// than caixa in fonte, and all of them no taller. A cell of a table has its
// frame around caixa.
struct TextoNaFolha {
    QStringList linhas;
    QFont fonte;
    QRectF caixa;
    Qt::Alignment alinhamento;
    QRectF moldura;  // empty outside the tables
};

// A student's speed chart: where it lies, and the student's place in the class.
struct GraficoNaFolha {
    QRectF area;
    std::size_t aluno = 0;
};

struct FolhaDoRelatorio {
    std::vector<TextoNaFolha> textos;
    std::vector<GraficoNaFolha> graficos;
};

// The report laid out on pages of folhas, measured in its resolution: a
// title, the course folder and the date printed; the students with passes,
// each with a row of the table and a speed chart, never split between two
// pages; then those without a pass, a line each in a table of their own;
// "Página n de N" at the foot of every page. Each table's headings come again
// on top of a page it goes on to, and its columns are as wide as their
// widest word at least.
std::vector<FolhaDoRelatorio> folhasDoRelatorio(const QPaintDevice& folhas, const std::vector<Desempenho>& turma,
                                                const QString& pasta, const QDate& impresso);

// The widths of a table's columns, filling largura: each as wide as its
// widest word (minimas) at least, growing towards the width of its widest
// text on one line (naturais) in proportion to what it lacks; what is left
// when every column has that goes to each in proportion to it. When the
// least widths do not fit, the widest columns are narrowed to one width.
std::vector<double> largurasDasColunas(const std::vector<double>& minimas, const std::vector<double>& naturais,
                                       double largura);

// texto in lines no wider than largura in the font of medida, broken at its
// blanks only (a break after a slash would split a unit such as "(t/m)"); a
// word wider than a whole line is broken between its characters.
QStringList quebraEmLinhas(const QString& texto, const QFontMetricsF& medida, double largura);

// Paints the pages of folhasDoRelatorio on folhas. False when the device
// cannot be painted on.
bool desenhaRelatorio(QPagedPaintDevice& folhas, const std::vector<Desempenho>& turma, const QString& pasta,
                      const QDate& impresso);

// Writes the report into arquivo, in the format its extension names (.pdf or
// .csv), as gravaArquivoDoRelatorio does: on a failure (a full disk among them)
// nothing is written and an old report stays as it was. A target that is not
// a plain file (a link, a folder, a pipe, a device) or that is one of the
// course's own files is refused untouched. The PDF names the course folder
// and the date it was printed. Returns the problem, in the program's words,
// or nothing.
std::optional<QString> gravaRelatorio(const QString& arquivo, const std::vector<Desempenho>& turma,
                                      const QString& pasta, const QDate& impresso);
