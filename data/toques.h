#pragma once
// The key statistics file ZORPToques20.dat: what each character cost each
// student, in fixed-size records that are only ever appended. A record sums
// the keystrokes of one character in one sitting (a lesson on the exercise
// screen or a practice) since the sitting's last record of it. The file is
// created with the first record; a course folder without it has no
// statistics yet. No window system.

#include "platform/recordfile.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#pragma pack(push, 1)

struct tToque {
    std::int32_t CodAluno;
    std::uint8_t Caractere;  // as typed, Windows-1252: "ã" is one character
    std::uint8_t Origem;     // OrigemDoToque
    std::uint8_t reservado[2];
    // the moment the sitting began, a day count with its time of day: the
    // records of one sitting share it
    double Sessao;
    std::uint32_t Esperadas;      // times the character was expected in a line judged
    std::uint32_t Erradas;        // of them, times it was not typed right
    std::uint32_t Cronometradas;  // times a keystroke for it was timed
    std::uint32_t Milissegundos;  // the timed keystrokes' times added up
};

#pragma pack(pop)

static_assert(sizeof(tToque) == 32);
static_assert(offsetof(tToque, Caractere) == 4);
static_assert(offsetof(tToque, Origem) == 5);
static_assert(offsetof(tToque, Sessao) == 8);
static_assert(offsetof(tToque, Esperadas) == 16);
static_assert(offsetof(tToque, Erradas) == 20);
static_assert(offsetof(tToque, Cronometradas) == 24);
static_assert(offsetof(tToque, Milissegundos) == 28);

enum class OrigemDoToque : std::uint8_t { Curso = 1, Treino = 2 };

inline const QString kArquivoToques = QStringLiteral("ZORPToques20.dat");

// Appends the records together, under one lock, and puts them on the disk
// before the file is closed; the file is created when missing. Nothing is
// done for no record.
void GravaToques(const std::vector<tToque>& registros);

// Hands every whole record of the file to porRegistro, in file order, from
// one pass; a missing file has none. A cut record at the end is not one.
template <class PorRegistro>
void LeToques(PorRegistro porRegistro)
{
    if (!fileExists(kArquivoToques))
        return;
    RecordFile arquivo(kArquivoToques, int(sizeof(tToque)), RecordFile::Access::Read);
    tToque registro{};
    arquivo.readEach(registro, [&] {
        porRegistro(registro);
        return true;
    });
    arquivo.close();
}
