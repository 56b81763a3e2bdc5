// Writes the seed corpora of the fuzz targets into the directory given as
// the argument: real files made by the program's own writers.
//   quiravo_fuzz_seeds fuzz/corpus
#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/scrambling.h"
#include "data/toques.h"
#include "platform/errors.h"
#include "platform/recordfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <utility>

namespace {

QByteArray readAll(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void save(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

template <class T>
QByteArray bytesOf(const T& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), int(sizeof(T)));
}

tExercicio exercise(std::uint8_t numero, std::initializer_list<QByteArray> lines, const QByteArray& instruction)
{
    const QByteArray key = GeraChave();
    tExercicio e{};
    e.Chave.set(key);
    e.Numero = numero;
    TextField<100>* fields[] = {&e.Linha1, &e.Linha2, &e.Linha3, &e.Linha4};
    auto line = lines.begin();
    for (TextField<100>* field : fields)
        field->set(Embaralha(line != lines.end() ? *line++ : QByteArray(), key));
    e.Instrucao.set(Embaralha(instruction, key));
    e.NumToques = 120;
    e.LinhasExigidas = 3;
    return e;
}

void catalogueSeeds(const QDir& dir)
{
    const QByteArray three = bytesOf(exercise(1, {"asdf", "jkl\xe7", "asdf jkl\xe7", "fim."}, "Digite as linhas."))
                           + bytesOf(exercise(2, {"ab", "cd"}, "Duas linhas."))
                           + bytesOf(exercise(42, {"do re mi"}, ""));
    save(dir.filePath("tres_exercicios"), three);
    save(dir.filePath("com_fragmento"), three.left(688 + 124));
    tExercicio badKey = exercise(3, {"x"}, "chave estragada");
    badKey.Chave.set("abcdeXYZAb");
    save(dir.filePath("chave_estragada"), three.left(688) + bytesOf(badKey));
}

void studentAndLessonSeeds(const QDir& students, const QDir& lessons)
{
    GravaAluno(QStringLiteral("Ana"), {}, {}, 36000.5, 0);
    GravaAluno(QStringLiteral("Bruno de Oliveira Nascimento Albuquerque Filho"), QStringLiteral("s"),
               QStringLiteral("bruno@exemplo.com.br"), 37000, 1);
    GravaAluno(QStringLiteral("C\u00e9lia"), QStringLiteral("=="), {}, 38000, 2);
    for (std::int32_t student : {1, 3, 1, 2, 1}) {
        clearRecord(AulaAtual);
        AulaAtual.CodAluno = student;
        AulaAtual.Data = 46000 + student;
        AulaAtual.Tempo = 100 + student;
        AulaAtual.NumExerc = std::uint8_t(10 + student);
        GravaAula();
    }
    const QByteArray roster = readAll(kArquivoAlunos);
    save(students.filePath("tres_alunos"), roster);
    save(students.filePath("com_fragmento"), roster.left(1000));
    const QByteArray history = readAll(kArquivoAulas);
    save(lessons.filePath("tres_alunos_intercalados"), history);
    save(lessons.filePath("com_fragmento"), history.left(24 * 4 + 10));
}

// The lessons' seeds again, and dates that no calendar holds.
void progressSeeds(const QDir& lessons, const QDir& dir)
{
    for (const QString& name : lessons.entryList(QDir::Files))
        save(dir.filePath(name), readAll(lessons.filePath(name)));
    QByteArray history;
    for (const double data : {46000.0, std::numeric_limits<double>::quiet_NaN(), 1e308, -1e308, 3e6, -700000.0}) {
        tAula aula{};
        aula.CodAluno = 1;
        aula.Data = data;
        aula.Tempo = 120;
        aula.NumExerc = 5;
        history += QByteArray(reinterpret_cast<const char*>(&aula), sizeof aula);
    }
    save(dir.filePath("datas_fora_do_calendario"), history);
}

void unscramblingSeeds(const QDir& dir)
{
    const QByteArray key = GeraChave();
    save(dir.filePath("texto"), char(10) + key + Embaralha("Digite as linhas.", key));
    save(dir.filePath("marca_vazio"), char(10) + key + kMarcaTextoVazio);
    save(dir.filePath("um_caractere"), char(10) + key + "x");
    save(dir.filePath("chave_curta"), char(4) + key.left(4) + "abcdef");
}

// Class lists as the programs a teacher uses save them.
void classListSeeds(const QDir& dir)
{
    const QString lista = QStringLiteral("Nome;E-mail\nAna Lima;ana@escola.br\n\"Souza; Bia\";\"bia \"\"b\"\"@x.br\"\n"
                                         "Jo\u00e3o Concei\u00e7\u00e3o\n;sem nome\nana lima;\n");
    save(dir.filePath("utf8_com_marca"), "\xEF\xBB\xBF" + lista.toUtf8());
    QStringEncoder cp1252("windows-1252");
    save(dir.filePath("cp1252_virgulas_crlf"),
         cp1252(QStringLiteral("Nome,E-mail\r\nHelo\u00edsa S\u00e1,heloisa.sa@escola.br\r\n"
                               "\"Souza, Ana\",\r\n,\r\n")));
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    save(dir.filePath("utf16le_com_marca"), utf16(QString(lista).replace(u'\n', QStringLiteral("\r\n"))));
    save(dir.filePath("cr_sozinho"), QString(lista).replace(u'\n', u'\r').toUtf8());
}

// A journal that a failed correction and its failed putting back left, the
// same cut short, and one of a record the file does not hold.
void journalSeeds(const QDir& dir)
{
    for (const char* nome : {"Ana", "Bia", "Caio"})
        GravaAluno(QString::fromLatin1(nome), {}, {}, 46000, 0);
    fileseam::failOn(fileseam::Op::Sync, EIO, 3);
    fileseam::failOn(fileseam::Op::Write, EIO, 3);
    try {
        RegravaAluno(2, {.nome = QStringLiteral("Bia Souza")});
    } catch (const AppError&) {
        // the journal is what this seed is made of
    }
    fileseam::clear();
    const QByteArray journal = readAll(rewriteJournal(kArquivoAlunos));
    save(dir.filePath("correcao_interrompida"), journal);
    save(dir.filePath("cortado"), journal.left(journal.size() / 2));
    QByteArray alem = journal;
    alem[8] = char(0xE8);  // the record's number, 1000 and up: no longer whole
    save(dir.filePath("numero_alterado"), alem);
}

void keyStatisticsSeeds(const QDir& dir)
{
    std::vector<tToque> toques;
    for (const char c : {'a', 's', '\xe7', '\0', '\n'}) {
        tToque t{};
        t.CodAluno = 1;
        t.Caractere = std::uint8_t(c);
        t.Origem = std::uint8_t(OrigemDoToque::Curso);
        t.Sessao = 46000.5;
        t.Esperadas = 30;
        t.Erradas = 4;
        t.Cronometradas = 28;
        t.Milissegundos = 9000;
        toques.push_back(t);
    }
    toques[4].Erradas = 50;  // more wrong than expected: a damaged record
    GravaToques(toques);
    const QByteArray file = readAll(kArquivoToques);
    save(dir.filePath("cinco_caracteres"), file);
    save(dir.filePath("com_fragmento"), file.left(file.size() - 7));
}

void changeLogSeeds(const QDir& dir)
{
    RegistraAlteracoes(2, {QStringLiteral("nome corrigido de \"Bia\" para \"Bia Souza\""),
                           QStringLiteral("senha apagada: o aluno entra sem senha")});
    const QByteArray log = readAll(kArquivoAlteracoes);
    save(dir.filePath("duas_linhas"), log);
    save(dir.filePath("linha_cortada"), log.left(log.size() - 9));
    save(dir.filePath("utf8_estragado"), log + "\xff\xfe sem fim");
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    const QDir root(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    for (const char* name : {"catalogo", "alunos", "aulas", "desempenho", "desembaralha", "turma", "anterior",
                             "toques", "alteracoes"})
        root.mkpath(QString::fromLatin1(name));
    catalogueSeeds(QDir(root.filePath("catalogo")));
    unscramblingSeeds(QDir(root.filePath("desembaralha")));
    classListSeeds(QDir(root.filePath("turma")));
    // the writers work in the current directory: a scratch one
    const QString scratch = root.filePath(".scratch");
    QDir(scratch).removeRecursively();
    root.mkpath(".scratch");
    QDir::setCurrent(scratch);
    studentAndLessonSeeds(QDir(root.filePath("alunos")), QDir(root.filePath("aulas")));
    progressSeeds(QDir(root.filePath("aulas")), QDir(root.filePath("desempenho")));
    // each of these writers starts from a course folder of its own
    const std::pair<void (*)(const QDir&), const char*> ownFolders[] = {
        {journalSeeds, "anterior"}, {keyStatisticsSeeds, "toques"}, {changeLogSeeds, "alteracoes"}};
    for (const auto& [seeds, name] : ownFolders) {
        QDir::setCurrent(root.path());
        QDir(scratch).removeRecursively();
        root.mkpath(".scratch");
        QDir::setCurrent(scratch);
        seeds(QDir(root.filePath(QString::fromLatin1(name))));
    }
    QDir::setCurrent(root.path());
    QDir(scratch).removeRecursively();
    return 0;
}
