// Passing an exercise: the lesson record, the speed and the next exercise.

#include "fixture_aula.h"

#include "course/aula.h"
#include "platform/clock.h"
#include "ui/dialogs.h"
#include "support/somgravado.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtEndian>
#include <cstring>
#include <functional>
#include <limits>

namespace {

const QString kAulas = kArquivoAulas;

// The Tempo field of the last lesson record in the file.
std::int32_t tempoGravado()
{
    const QByteArray arquivo = readFile(kAulas);
    if (arquivo.size() < 24)
        return -1;
    return qFromLittleEndian<std::int32_t>(arquivo.constData() + arquivo.size() - 24 + 16);
}

}  // namespace

TEST_F(Aula, PassRecordsTheLessonAndShowsTheNextExercise)
{
    NumExercicio = 3;
    CodAlunoAtual = 0x01020304;
    tExercicio proximo = umExercicio(42, {"proxima", "linha dois"});
    proximo.Instrucao.set("Nova instrucao");
    Exercicios[4] = proximo;
    abre(umExercicio(3, {"abc"}, 1, 100));

    clockseam::set(as(10));
    digita("abc");
    clockseam::set(as(10, 0, 45));
    enter();

    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Information);
    EXPECT_EQ(boxseam::shown()[0].text,
              QStringLiteral("Você passou para o próximo exercício.\r"
                             "Leia atentamente as instruções e prossiga.\r"
                             "Ou clique abaixo em \"Finalizar aula\" para continuar outro dia"));

    QByteArray esperado(24, '\0');
    const double hoje = double(QDate(1899, 12, 30).daysTo(QDate(2026, 12, 10)));
    qToLittleEndian<std::int32_t>(0x01020304, esperado.data());
    std::memcpy(esperado.data() + 8, &hoje, 8);
    qToLittleEndian<std::int32_t>(133, esperado.data() + 16);
    esperado[20] = 3;
    EXPECT_EQ(readFile(kAulas).toHex(), esperado.toHex());

    EXPECT_EQ(NumExercicio, 4);
    EXPECT_EQ(ExercicioAtual.Numero, 42);
    EXPECT_EQ(resultado(), QString());
    EXPECT_EQ(status(),
              QStringLiteral("Parabéns! Você conseguiu. Preste atenção neste novo exercício."));
    EXPECT_EQ(corStatus(), cor::textoDeJanela());
    EXPECT_EQ(fundoStatus(), cor::amarelo);
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("1."));
    EXPECT_EQ(campo(), QString());
    EXPECT_EQ(tela->findChild<QLabel*>(QStringLiteral("lbNumExerc"))->text(), QStringLiteral("42"));
    EXPECT_EQ(tela->findChild<QLabel*>(QStringLiteral("dbExercLin2"))->text(),
              QStringLiteral("linha dois"));
    EXPECT_TRUE(tela->findChild<QLabel*>(QStringLiteral("dtInstrucao"))
                    ->text()
                    .startsWith(QStringLiteral("Nova instrucao. ")));
    EXPECT_EQ(tela->licao().TamanhoLinha(), 7);
    EXPECT_EQ(corDaLinha(1), cor::marinho);

    // the lesson stays in the mode it opened in, though the new exercise is 42
    EXPECT_FALSE(tela->licao().ModoSom());
    digita("p");
    EXPECT_TRUE(recordedsound::requests().empty());
    EXPECT_EQ(campo(), QStringLiteral("p"));
    linha("roxima");
    EXPECT_EQ(resultado(), QStringLiteral("7 - Certa: [proxima]"));
}

TEST_F(Aula, SpeedIsKeystrokesPerMinuteOverTheLongestLineTime)
{
    struct Caso {
        const char* como;
        std::int32_t toques;
        qint64 msDaLinha;
        std::int32_t tempo;
    };
    const Caso casos[] = {
        {"100 keys in 45 s", 100, 45'000, 133},
        {"100 keys in two minutes", 100, 120'000, 50},
        {"no line time measured", 100, 0, 0},
        {"too fast for 32 bits", std::numeric_limits<std::int32_t>::max(), 1, 0},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        TempoMaximo = 0;
        abre(umExercicio(1, {"abc"}, 1, caso.toques));
        clockseam::set(as(10));
        digita("abc");
        clockseam::advance(caso.msDaLinha);
        enter();
        EXPECT_EQ(tempoGravado(), caso.tempo);
        EXPECT_EQ(AulaAtual.Tempo, caso.tempo);
    }
}

// Whatever came before, the exercise's speed is measured on its own lines,
// each from its first keystroke to its ENTER: here one line of 100 keystrokes
// typed in 45 s, which is 133 t/m.
TEST_F(Aula, TheSpeedMeasuresTheExerciseFromEachLinesFirstKeyToItsEnter)
{
    const tExercicio medido = umExercicio(2, {"abc"}, 1, 100);
    const auto linhaEm45s = [this] {
        digita("abc");
        clockseam::advance(45'000);
        enter();
    };
    struct Caso {
        const char* como;
        std::function<void()> antes;  // ends with the measured exercise on view
    };
    const Caso casos[] = {
        {"first thing in the run", [&] { abre(medido); }},
        {"after a two-minute line in an earlier lesson of the run",
         [&] {
             abre(umExercicio(1, {"abc"}, 5));
             digita("abc");
             clockseam::advance(120'000);
             enter();
             abre(medido);
         }},
        {"after an ENTER on the empty field at 14:00",
         [&] {
             clockseam::set(as(14));
             abre(medido);
             enter();
         }},
        {"after five minutes of reading before the first key",
         [&] {
             abre(medido);
             clockseam::advance(300'000);
         }},
        {"after a slow exercise and ten minutes on the box that passed it",
         [&] {
             NumExercicio = 1;
             Exercicios[2] = medido;
             abre(umExercicio(1, {"abc"}, 1, 100));
             digita("abc");
             clockseam::advance(120'000);
             boxseam::onShow([](const boxseam::Shown&) { clockseam::advance(600'000); });
             enter();
             boxseam::onShow({});
         }},
        {"after a wrong line whose box was open ten minutes",
         [&] {
             abre(umExercicio(2, {"abc"}, 3, 100));
             linha("abc");
             linha("abc");
             boxseam::onShow([](const boxseam::Shown&) { clockseam::advance(600'000); });
             linha("abd");
             boxseam::onShow({});
             linhaEm45s();
             linhaEm45s();
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        fecha();
        InicioLinha = 0;
        TempoMaximo = 0;
        NumExercicio = 2;
        clockseam::set(as(10));
        writeFile(kAulas, {});
        caso.antes();
        linhaEm45s();
        EXPECT_EQ(tempoGravado(), 133);
        EXPECT_EQ(AulaAtual.NumExerc, 2);
    }
}

// The student hears of the pass only once its record is on disk; a failed
// record is tried again by the next right pass, and the count stays put.
TEST_F(Aula, AFailingRecordIsShownAloneAndTheNextRightPassRecordsIt)
{
    QFile::remove(kAulas);
    NumExercicio = 3;
    Exercicios[4] = umExercicio(4, {"proxima"});
    abre(umExercicio(3, {"ab", "cd"}, 2));
    for (int vez = 0; vez < 2; ++vez) {
        linha("ab");
        linha("cd");
    }

    ASSERT_EQ(boxseam::shown().size(), 1u) << boxseam::shown().back().text.toStdString();
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::ErrorReport);
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("File not found."));
    EXPECT_FALSE(QFile::exists(kAulas));
    EXPECT_EQ(NumExercicio, 3);
    EXPECT_EQ(ExercicioAtual.Numero, 3);
    EXPECT_EQ(campo(), QString());
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("2."));

    // still failing: the count never runs past what the exercise asks
    boxseam::clear();
    linha("ab");
    linha("cd");
    EXPECT_EQ(tela->licao().LinhasSeguidas(), 2);
    EXPECT_EQ(status(), QStringLiteral("2 Linhas sequenciais digitadas sem erros! Faltam 0 Linhas para terminar."));
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::ErrorReport);

    boxseam::clear();
    writeFile(kAulas, {});
    linha("ab");
    linha("cd");
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text.section(u'\r', 0, 0), QStringLiteral("Você passou para o próximo exercício."));
    EXPECT_EQ(readFile(kAulas).size(), 24);
    EXPECT_EQ(AulaAtual.NumExerc, 3);
    EXPECT_EQ(NumExercicio, 4);
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("1."));
}

// The box that tells of the pass comes after the record, whatever the box does.
TEST_F(Aula, TheRecordIsOnDiskWhenThePassIsAnnounced)
{
    Exercicios[2] = umExercicio(2, {"xyz"});
    abre(umExercicio(1, {"abc"}, 1));
    qint64 gravadoNaCaixa = -1;
    boxseam::onShow([&](const boxseam::Shown&) { gravadoNaCaixa = QFile(kAulas).size(); });
    linha("abc");
    boxseam::onShow({});
    EXPECT_EQ(gravadoNaCaixa, 24);
}

// The catalogue ends at its last slot, or before the first empty one.
TEST_F(Aula, PassingTheCataloguesLastExerciseEndsTheLessonWithTheCourse)
{
    struct Caso {
        int slot;
        std::uint8_t numero;  // below 42: the lesson is typed, not played
    };
    for (const Caso caso : {Caso{41, 41}, Caso{100, 30}}) {
        SCOPED_TRACE(caso.slot);
        writeFile(kAulas, {});
        boxseam::clear();
        Exercicios.clear();
        NumExercicio = caso.slot;
        abre(umExercicio(caso.numero, {"abc"}, 1));
        linha("abc");

        ASSERT_EQ(boxseam::shown().size(), 1u);
        EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Information);
        EXPECT_EQ(boxseam::shown()[0].text, kCursoConcluido);
        EXPECT_EQ(readFile(kAulas).size(), 24);
        EXPECT_EQ(AulaAtual.NumExerc, caso.slot);
        EXPECT_EQ(NumExercicio, caso.slot);
        EXPECT_EQ(ExercicioAtual.Numero, caso.numero);
        EXPECT_FALSE(tela->isVisible());
    }
}
