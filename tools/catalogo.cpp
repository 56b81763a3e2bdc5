#include "tools/catalogo.h"

#include "data/scrambling.h"

#include <stdexcept>

namespace {

// A fresh key can, very rarely, scramble a text into the empty-text marker,
// which would read back empty: such a key is drawn again.
constexpr int kKeyAttempts = 100;

template <int N>
void storeScrambled(TextField<N>& field, const QByteArray& plain, const QByteArray& chave)
{
    field.set(Embaralha(plain, chave));
}

template <int N>
bool readsBack(const TextField<N>& field, const QByteArray& plain, const QByteArray& chave)
{
    return Desembaralha(field.bytes(), chave) == plain;
}

bool readsBack(const tExercicio& record, const ExercicioDoCurso& exercise)
{
    const QByteArray chave = record.Chave.bytes();
    const TextField<100>* fields[kMaxLinhas] = {&record.Linha1, &record.Linha2, &record.Linha3, &record.Linha4};
    for (int i = 0; i < kMaxLinhas; ++i) {
        const QByteArray plain = i < exercise.linhas.size() ? exercise.linhas[i] : QByteArray();
        if (!readsBack(*fields[i], plain, chave))
            return false;
    }
    return readsBack(record.Instrucao, exercise.instrucao, chave);
}

}  // namespace

tExercicio compilaExercicio(const ExercicioDoCurso& exercise, const QByteArray& chave)
{
    tExercicio record;
    clearRecord(record);
    record.Chave.set(chave);
    record.Numero = std::uint8_t(exercise.numero);
    TextField<100>* fields[kMaxLinhas] = {&record.Linha1, &record.Linha2, &record.Linha3, &record.Linha4};
    for (int i = 0; i < kMaxLinhas; ++i)
        storeScrambled(*fields[i], i < exercise.linhas.size() ? exercise.linhas[i] : QByteArray(), chave);
    record.NumToques = exercise.numToques();
    storeScrambled(record.Instrucao, exercise.instrucao, chave);
    record.LinhasExigidas = std::uint8_t(exercise.linhasExigidas);
    return record;
}

QByteArray compilaCatalogo(const QList<ExercicioDoCurso>& exercises)
{
    QByteArray catalogue;
    for (const ExercicioDoCurso& exercise : exercises) {
        int attempt = 0;
        tExercicio record;
        do {
            if (++attempt > kKeyAttempts)
                throw std::runtime_error("no key reads exercise " + std::to_string(exercise.numero) + " back");
            record = compilaExercicio(exercise, GeraChave());
        } while (!readsBack(record, exercise));
        catalogue.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    return catalogue;
}
