#pragma once
// Why a file of the program's own (the course folder it lays, a report it
// writes, the practice's lists) could not be used, told in the program's
// words. The system's own texts ("Permission denied", "No such file or
// directory") are English; the course's data files keep the design's texts
// ("File not found").

#include <QString>
#include <optional>

// The cause of a failed system call from its errno value; 0, when the call
// gave none, is told as such.
QString motivoDoSistema(int erro);

// What lies at caminho when it is not a plain file: "é um link simbólico",
// "é uma pasta", "é um arquivo especial (...)". Nothing for a regular file or
// when nothing lies there. A link is told as a link, wherever it points.
std::optional<QString> naoEArquivoComum(const QString& caminho);

// "<caminho> não é uma pasta" when something other than a folder lies there.
std::optional<QString> naoEPasta(const QString& caminho);
