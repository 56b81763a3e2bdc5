// The screens: one key through the real typing field (key event, keystroke
// rules, status text, keyboard guide) beside the same key into a plain line
// edit, without and with the painting it causes; one ENTER
// step with its verdict; and the start-up up to the main menu with the course
// loaded, beside a bare window of the main menu's size.

#include "bench/support.h"

#include "app/uPrin.h"
#include "course/aula.h"
#include "course/uExercicio.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/scrambling.h"
#include "ui/uAjusta.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {

// the line the student copies: 60 characters, as a line of the course is
const QByteArray kLinha = "asdf jkl\xe7 asdf jkl\xe7 fdsa \xe7lkj a casa da av\xf3 fica logo ali";
// right lines in a row before the screen is opened afresh, so that the
// exercise is never passed and the results list stays short
constexpr int kLinhasPorTela = 200;

tExercicio umaLinha()
{
    tExercicio e{};
    e.Numero = 1;
    e.Linha1.set(kLinha);
    e.Instrucao.set("Copie a linha.");
    e.NumToques = 60;
    e.LinhasExigidas = 255;
    return e;
}

// Processes events until done() or a few seconds have passed.
template <class Done>
bool processUntil(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

// Notes the first paint of a window or of any widget in it.
class Pintura : public QObject {
public:
    explicit Pintura(QWidget* janela)
        : janela_(janela)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool pintada() const { return pintada_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && objeto->isWidgetType() &&
            static_cast<QWidget*>(objeto)->window() == janela_)
            pintada_ = true;
        return false;
    }

private:
    QWidget* janela_;
    bool pintada_ = false;
};

// A lesson on the one-line exercise, opened as the entry screen opens it.
class Licao {
public:
    Licao()
    {
        NumExercicio = 1;
        Exercicios[1] = umaLinha();
        ExercicioAtual = Exercicios[1];
        tela_ = std::make_unique<TfExercicio>();
        tela_->MostraExercicio();
        tela_->show();
        processUntil([this] { return tela_->isActiveWindow(); });
        edDig_ = tela_->findChild<QLineEdit*>(QStringLiteral("edDig"));
    }
    ~Licao() { tela_->close(); }

    QLineEdit* edDig() const { return edDig_; }

    // one key, carrying its character, as the keyboard sends it
    void tecla(char c)
    {
        QTest::sendKeyEvent(QTest::Click, edDig_, Qt::Key_unknown, QString(QChar(uchar(c))), Qt::NoModifier);
    }
    void enter() { QTest::keyClick(edDig_, Qt::Key_Return); }
    void linha()
    {
        for (char c : kLinha)
            tecla(c);
    }

private:
    std::unique_ptr<TfExercicio> tela_;
    QLineEdit* edDig_ = nullptr;
};

// Whether a key's figure includes the painting it causes, as a key on the
// screen does, or only its handling (the updates stay queued).
enum class Pintando { Nao, Sim };

void pintaSe(Pintando pintando)
{
    if (pintando == Pintando::Sim)
        QCoreApplication::processEvents();
}

void keystroke(benchmark::State& state, Pintando pintando)
{
    auto licao = std::make_unique<Licao>();
    int posicao = 0;
    int linhas = 0;
    for (auto _ : state) {
        licao->tecla(kLinha[posicao]);
        pintaSe(pintando);
        if (++posicao == kLinha.size()) {
            state.PauseTiming();
            licao->enter();
            posicao = 0;
            if (++linhas == kLinhasPorTela) {
                licao = std::make_unique<Licao>();
                linhas = 0;
            }
            state.ResumeTiming();
        }
    }
    if (licao->edDig()->text().isEmpty() && posicao > 0)
        state.SkipWithError("the typing field took no key");
}

// The floor: the same keys into a plain line edit of the same size.
void keystrokeFloor(benchmark::State& state, Pintando pintando)
{
    QLineEdit campo;
    campo.setMaxLength(80);
    campo.resize(592, 30);
    campo.show();
    processUntil([&] { return campo.isActiveWindow(); });
    int posicao = 0;
    for (auto _ : state) {
        QTest::sendKeyEvent(QTest::Click, &campo, Qt::Key_unknown, QString(QChar(uchar(kLinha[posicao]))),
                            Qt::NoModifier);
        pintaSe(pintando);
        if (++posicao == kLinha.size()) {
            state.PauseTiming();
            campo.clear();
            posicao = 0;
            state.ResumeTiming();
        }
    }
}

void enterStep(benchmark::State& state)
{
    auto licao = std::make_unique<Licao>();
    int linhas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        licao->linha();
        state.ResumeTiming();
        licao->enter();
        if (++linhas == kLinhasPorTela) {
            state.PauseTiming();
            licao = std::make_unique<Licao>();
            linhas = 0;
            state.ResumeTiming();
        }
    }
}

// A course directory with a catalogue of 100 exercises and 100 students.
void preparaCurso()
{
    QDir::setCurrent(workDir(QStringLiteral("curso")));
    QByteArray catalogo;
    for (int n = 1; n <= 100; ++n) {
        const QByteArray chave = GeraChave();
        tExercicio e = umaLinha();
        e.Chave.set(chave);
        e.Numero = std::uint8_t(n);
        e.Linha1.set(Embaralha(kLinha, chave));
        for (TextField<100>* linha : {&e.Linha2, &e.Linha3, &e.Linha4})
            linha->set(Embaralha({}, chave));
        e.Instrucao.set(Embaralha(QByteArray(180, 'i'), chave));
        catalogo += QByteArray(reinterpret_cast<const char*>(&e), int(sizeof e));
    }
    writeBytes(kArquivoExercicios, catalogo);
    CodAlunoAtual = 0;
    for (int n = 1; n <= 100; ++n)
        GravaAluno(QStringLiteral("Aluno %1").arg(n), {}, {}, 36000, 1);
}

// From nothing to the main menu painted, with the course loaded; the
// splash's 1500 ms wait is recorded by the seam, not slept.
void startUp(benchmark::State& state)
{
    QDir::setCurrent(workDir(QStringLiteral("curso")));
    for (auto _ : state) {
        Exercicios.clear();
        NumAlunos = 0;
        auto programa = std::make_unique<Programa>();
        const Pintura pintura(programa->principal());
        if (!processUntil([&] { return pintura.pintada() && Exercicios[1].Numero == 1 && NumAlunos == 100; }))
        {
            state.SkipWithError("the main menu never showed the course");
            break;
        }
        state.PauseTiming();
        programa.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

// The floor: a bare window of the main menu's size, shown and painted.
void startUpFloor(benchmark::State& state)
{
    for (auto _ : state) {
        auto janela = std::make_unique<QWidget>();
        janela->resize(594, 324);
        const Pintura pintura(janela.get());
        janela->show();
        processUntil([&] { return pintura.pintada(); });
        state.PauseTiming();
        janela.reset();
        state.ResumeTiming();
    }
}

void registerAll()
{
    LarguraTela = 1280;
    preparaCurso();
    benchmark::RegisterBenchmark("floor_QLineEdit_key", keystrokeFloor, Pintando::Nao)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("edDig_key", keystroke, Pintando::Nao)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("floor_QLineEdit_key_painted", keystrokeFloor, Pintando::Sim)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("edDig_key_painted", keystroke, Pintando::Sim)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("edDig_ENTER", enterStep)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("floor_window_shown", startUpFloor)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("start_up_to_main_menu", startUp)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv)
{
    return benchMain(argc, argv, registerAll,
                     {{"edDig_key", "floor_QLineEdit_key"},
                      {"edDig_key_painted", "floor_QLineEdit_key_painted"},
                      {"start_up_to_main_menu", "floor_window_shown"}});
}
