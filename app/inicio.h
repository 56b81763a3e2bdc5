#pragma once
// The start-up before any window: the command line, and the course folder.
// The data files' names are relative, so the chosen folder becomes the
// current directory before anything else runs.

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for.
struct LinhaDeComando {
    std::optional<QString> curso;  // --curso DIR
    std::optional<QString> relatorio;  // --relatorio ARQ: the class report, without a window
    // The program ends at once with this status: after the help or the
    // version (0), or after a command line it cannot take (2).
    std::optional<int> saida;
    QString mensagem;  // printed first: on the output for 0, on the error stream otherwise
};

// Reads the program's arguments (the first is the program itself).
LinhaDeComando leLinhaDeComando(const QStringList& argumentos);

// DIR of --curso; else the current directory when it holds the catalogue;
// else the user's own course folder.
QString escolhePastaDoCurso(const std::optional<QString>& curso);

// Where the installed catalogue and note files lie, beside the program; empty
// when they are nowhere to be found.
QString pastaDosArquivosDoCurso();

// Creates the folder when it is missing and lays into it the catalogue and
// the note files of `origem` that it lacks, with the process umask; a file
// already there, the catalogue included, is never replaced, and no link
// planted there is followed. Several starts may prepare one folder at once.
// The files are copied under temporary names first: a copy that fails leaves
// no new file. The problem comes back in the program's words.
std::optional<QString> preparaPastaDoCurso(const QString& pasta, const QString& origem);

// The report of the command line: the course of `pasta` into arquivo (relative
// to the current directory). The course folder becomes the current directory.
// A folder that holds no course (no catalogue), or whose data files are not
// plain files, is a problem, not an empty report.
std::optional<QString> relatorioDaLinhaDeComando(const QString& arquivo, const QString& pasta);
