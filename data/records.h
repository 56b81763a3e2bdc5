#pragma once
// The three record types of the course's files and the program-wide tables and
// records that hold the course data for the whole run.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

static_assert(std::endian::native == std::endian::little,
              "the record files are little-endian and are mapped onto memory as they are");

// A text field of capacity N: one length byte, then N bytes of which the
// first "length" are the text (Windows-1252). The length byte of a damaged
// file may claim more than N: reads never go past the capacity.
template <int N>
struct TextField {
    std::uint8_t length;
    char chars[N];

    static constexpr int capacity = N;

    int size() const { return length < N ? length : N; }
    bool empty() const { return length == 0; }
    QByteArray bytes() const { return QByteArray(chars, size()); }

    // Stores text cut to the capacity; the bytes after it become zero.
    void set(QByteArrayView text)
    {
        const int n = text.size() < N ? int(text.size()) : N;
        length = std::uint8_t(n);
        if (n > 0)
            std::memcpy(chars, text.data(), size_t(n));
        std::memset(chars + n, 0, size_t(N - n));
    }
};

#pragma pack(push, 1)

// One exercise of the catalogue ZORPExercicio20.dat.
struct tExercicio {
    TextField<10> Chave;
    std::uint8_t Numero;
    TextField<100> Linha1;
    TextField<100> Linha2;
    TextField<100> Linha3;
    TextField<100> Linha4;
    std::uint8_t reservado1[8];
    std::int32_t NumToques;
    std::uint8_t reservado2[4];
    TextField<250> Instrucao;
    std::uint8_t reservado3[2];  // carried into the catalogue as it is
    std::uint8_t LinhasExigidas;
    std::uint8_t reservado4[2];
};

// One student of ZORPAlunos20.dat.
struct tAluno {
    TextField<10> Chave;
    std::uint8_t reservado1;
    std::int32_t Codigo;
    TextField<40> Nome;
    std::uint8_t reservado2[15];
    double DataNasc;
    TextField<15> Senha;
    TextField<100> EMail;
    std::uint8_t reservado3[197];
    TextField<2> Periodo;
    std::uint8_t reservado4[3];
};

// One lesson record of ZORPAulas20.dat.
struct tAula {
    std::int32_t CodAluno;
    std::uint8_t reservado1[4];
    double Data;
    std::int32_t Tempo;
    std::uint8_t NumExerc;
    std::uint8_t reservado2[3];
};

#pragma pack(pop)

// From this exercise on, the typing field is a musical keyboard and no
// exercise is passed.
inline constexpr int kPrimeiroExercicioMusical = 42;

// The instruction as the exercise screen shows it: the catalogue's text
// (Windows-1252), then the exercise's count of keystrokes.
QString InstrucaoMostrada(QByteArrayView instrucao, int numToques);

static_assert(sizeof(tExercicio) == 688);
static_assert(offsetof(tExercicio, Numero) == 11);
static_assert(offsetof(tExercicio, Linha1) == 12);
static_assert(offsetof(tExercicio, Linha2) == 113);
static_assert(offsetof(tExercicio, Linha3) == 214);
static_assert(offsetof(tExercicio, Linha4) == 315);
static_assert(offsetof(tExercicio, NumToques) == 424);
static_assert(offsetof(tExercicio, Instrucao) == 432);
static_assert(offsetof(tExercicio, reservado3) == 683);
static_assert(offsetof(tExercicio, LinhasExigidas) == 685);

static_assert(sizeof(tAluno) == 400);
static_assert(offsetof(tAluno, Codigo) == 12);
static_assert(offsetof(tAluno, Nome) == 16);
static_assert(offsetof(tAluno, DataNasc) == 72);
static_assert(offsetof(tAluno, Senha) == 80);
static_assert(offsetof(tAluno, EMail) == 96);
static_assert(offsetof(tAluno, Periodo) == 394);

static_assert(sizeof(tAula) == 24);
static_assert(offsetof(tAula, Data) == 8);
static_assert(offsetof(tAula, Tempo) == 16);
static_assert(offsetof(tAula, NumExerc) == 20);

// A table whose slots are numbered 1 to N. An index outside the table throws
// instead of reaching memory that is not the table's.
template <class T, int N>
struct Table {
    // not "slots": Qt's keyword macro of that name would swallow it
    std::array<T, N> entries;

    static constexpr int size = N;

    T& operator[](int i)
    {
        if (i < 1 || i > N)
            throw std::out_of_range("table index out of range");
        return entries[size_t(i - 1)];
    }
    void clear() { std::memset(static_cast<void*>(entries.data()), 0, sizeof(entries)); }
};

template <class T>
void clearRecord(T& record)
{
    std::memset(static_cast<void*>(&record), 0, sizeof(T));
}

inline const QString kArquivoExercicios = QStringLiteral("ZORPExercicio20.dat");
inline const QString kArquivoAlunos = QStringLiteral("ZORPAlunos20.dat");
inline const QString kArquivoAulas = QStringLiteral("ZORPAulas20.dat");
// The course folder's note files lie in this folder of it.
inline const QString kPastaDasNotas = QStringLiteral("notas");

// The catalogue: slot i holds the i-th exercise of the file, texts plain.
extern Table<tExercicio, 100> Exercicios;
// The exercise being practised; during a catalogue load, the read buffer.
extern tExercicio ExercicioAtual;

// The roster: slot k holds the k-th student of the file, texts plain.
extern Table<tAluno, 100> ListaAlunos;
// The current student; during a load of the student file, the read buffer.
extern tAluno AlunoAtual;
extern std::uint8_t NumAlunos;
// The chosen student's number; while registering, the highest number in the file.
extern std::int32_t CodAlunoAtual;

// The current student's last lesson record; the buffer of every read and append.
extern tAula AulaAtual;
// The current student's lesson records in file order after a read.
extern Table<tAula, 200> HistoricoAulas;

// The slot of Exercicios that the student practises.
extern std::int32_t NumExercicio;
