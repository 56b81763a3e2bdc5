#pragma once
// Loading and appending the course's record files. Every failure throws the
// file's I/O error; nothing is rolled back.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// Clears ExercicioAtual and Exercicios, then fills them from the catalogue.
// A catalogue without one whole record is reported as damaged.
void CarregaExercicios();

// Fills the roster from the student file; returns the number of records read.
std::uint8_t CarregaAlunos();

// The number of students in the student file; 0 when there is no such file.
std::int64_t QuantosAlunos();

// CodAlunoAtual := the highest student number in the student file, or 0.
void MaiorCodigo();

// Appends a new student, numbered one above the highest number in the file
// at that moment (CodAlunoAtual becomes it), and the student's first lesson
// record, then reloads the roster. periodo is 0, 1 or 2. False, and nothing
// written, when the file already holds as many students as the roster.
bool GravaAluno(const QString& nome, const QString& senha, const QString& email, double dataNasc,
                int periodo);

// What a correction changes in a stored student; a field left out stays as
// it is, byte for byte.
struct CorrecaoAluno {
    std::optional<QString> nome{};
    std::optional<QString> email{};
    std::optional<QString> senha{};  // empty: the student enters without one
    std::optional<int> periodo{};    // 0, 1 or 2
};

// Rewrites in place the first student numbered codigo, its fields corrected
// and scrambled with the record's own key; the key, the number and every
// other byte stay, and the lesson history is not touched. Under the lock of
// the appends, through a journal of the old record (RecordFile::rewrite): a
// failure, thrown, leaves the old record whole, a crash the old record or
// the new one, never a mix. The roster is not read again here.
// Once the record is on the disk, registra (the change's line in a log) runs
// under the same lock; when it fails, the old record goes back and its error
// is thrown, so that the change and its line stand or fall together. When
// even the old record cannot go back, the change stands without its line:
// the answer is then registra's error message.
std::optional<QString> RegravaAluno(std::int32_t codigo, const CorrecaoAluno& correcao,
                                    const std::function<void()>& registra = {});

// Reads the lesson records of CodAlunoAtual into HistoricoAulas; AulaAtual
// becomes the last of them, or all zero.
void LeHistoricoAulas();

// Appends AulaAtual to the lesson history.
void GravaAula();
