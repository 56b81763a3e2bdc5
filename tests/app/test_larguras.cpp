// Every screen at every width band of the adaptation: each caption, value and
// tab must be read whole, and every exercise of the course must fit the
// exercise screen.

#include "fixture_app.h"
#include "support/teclado.h"

#include "ui/uAjusta.h"
#include "app/uInstrucoes.h"
#include "students/uMatricula.h"
#include "app/uPrin.h"
#include "students/uProfessor.h"
#include "students/uRelatorio.h"
#include "course/aula.h"
#include "students/desempenho.h"
#include "students/uDesempenho.h"
#include "course/uTreino.h"
#include "app/uSobre.h"
#include "course/uExercicio.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "platform/clock.h"
#include "platform/system.h"
#include "students/uCadAlunos.h"
#include "students/uEntrada.h"
#include "students/senhaprofessor.h"
#include "students/uSenhaProfessor.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// The widths that pick each band of both variants, and one above the design width.
const int kLarguras[] = {800, 1024, 1280, 1600};

// The text a label shows: an access-key mark is not drawn.
QString textoMostrado(const QLabel* label)
{
    QString texto = label->text();
    if (label->buddy())
        texto.replace(QLatin1String("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    return texto;
}

bool dentroDeComposto(const QWidget* w, const QWidget* tela)
{
    for (const QWidget* pai = w->parentWidget(); pai && pai != tela; pai = pai->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox*>(pai) || qobject_cast<const QTabBar*>(pai)
            || qobject_cast<const QCalendarWidget*>(pai) || qobject_cast<const QAbstractScrollArea*>(pai))
            return true;
    }
    return false;
}

QString nome(const QWidget* w, const QString& texto)
{
    const QString n = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName();
    return n + QStringLiteral(" \"") + texto + u'"';
}

void confere(QStringList& cortes, const QWidget* w, const QString& texto, QSize precisa, QSize tem)
{
    if (precisa.width() > tem.width() || precisa.height() > tem.height())
        cortes << QStringLiteral("%1 precisa %2x%3, tem %4x%5")
                      .arg(nome(w, texto))
                      .arg(precisa.width())
                      .arg(precisa.height())
                      .arg(tem.width())
                      .arg(tem.height());
}

void confereRotulo(QStringList& cortes, const QLabel* label)
{
    const QString texto = textoMostrado(label);
    if (texto.isEmpty())
        return;
    const QRect area = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                      -label->margin());
    const QFontMetrics fm(label->font());
    if (label->wordWrap()) {
        const QRect ocupa = fm.boundingRect(area, int(label->alignment()) | Qt::TextWordWrap, texto);
        confere(cortes, label, texto, ocupa.size(), area.size());
    } else {
        confere(cortes, label, texto, {fm.horizontalAdvance(texto), fm.height()}, area.size());
    }
}

void confereBotao(QStringList& cortes, const QAbstractButton* botao)
{
    QStyleOptionButton opcao;
    opcao.initFrom(botao);
    opcao.text = botao->text();
    opcao.icon = botao->icon();
    opcao.iconSize = botao->iconSize();
    const bool radio = qobject_cast<const QRadioButton*>(botao);
    const QRect area = botao->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &opcao, botao);
    const QFontMetrics fm(botao->font());
    int precisa = fm.horizontalAdvance(QString(botao->text()).remove(u'&'));
    if (!botao->icon().isNull())
        precisa += botao->iconSize().width() + 4;
    confere(cortes, botao, botao->text(), {precisa, fm.ascent()}, area.size());
}

// A field draws its text two pixels inside its frame, and keeps the caret's
// place after it in view.
void confereCaixa(QStringList& cortes, const QLineEdit* caixa)
{
    if (caixa->text().isEmpty())
        return;
    QStyleOptionFrame opcao;
    opcao.initFrom(caixa);
    opcao.lineWidth = caixa->hasFrame() ? caixa->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opcao, caixa) : 0;
    const QRect area = caixa->style()->subElementRect(QStyle::SE_LineEditContents, &opcao, caixa)
                           .marginsRemoved(caixa->textMargins())
                           .adjusted(2, 1, -2, -1);
    const QFontMetrics fm(caixa->font());
    confere(cortes, caixa, caixa->displayText(), {fm.horizontalAdvance(caixa->displayText()) + 1, fm.height()},
            area.size());
}

void confereGrupo(QStringList& cortes, const QGroupBox* grupo)
{
    const QFontMetrics fm(grupo->font());
    confere(cortes, grupo, grupo->title(), {fm.horizontalAdvance(grupo->title()), 0}, grupo->size());
}

void confereAbas(QStringList& cortes, const QTabWidget* abas)
{
    const QTabBar* barra = abas->tabBar();
    confere(cortes, abas, QStringLiteral("abas"), {barra->sizeHint().width(), 0}, abas->size());
}

// What of the screen is cut, one line per control.
QStringList cortados(QWidget* tela)
{
    QStringList cortes;
    for (QWidget* w : tela->findChildren<QWidget*>()) {
        if (w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")) || dentroDeComposto(w, tela))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            confereRotulo(cortes, label);
        else if (auto* botao = qobject_cast<QAbstractButton*>(w))
            confereBotao(cortes, botao);
        else if (auto* caixa = qobject_cast<QLineEdit*>(w))
            confereCaixa(cortes, caixa);
        else if (auto* grupo = qobject_cast<QGroupBox*>(w))
            confereGrupo(cortes, grupo);
        else if (auto* abas = qobject_cast<QTabWidget*>(w))
            confereAbas(cortes, abas);
        else if (auto* data = qobject_cast<QAbstractSpinBox*>(w))
            confereCaixa(cortes, data->findChild<QLineEdit*>());
    }
    return cortes;
}

// The texts of the screen drawn with capitals under 8 pixels, one line per control.
QStringList ilegiveis(QWidget* tela)
{
    QStringList pequenos;
    for (QWidget* w : tela->findChildren<QWidget*>()) {
        if (w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")) || dentroDeComposto(w, tela))
            continue;
        QString texto;
        if (auto* label = qobject_cast<QLabel*>(w))
            texto = textoMostrado(label);
        else if (auto* botao = qobject_cast<QAbstractButton*>(w))
            texto = botao->text();
        else if (auto* caixa = qobject_cast<QLineEdit*>(w))
            texto = caixa->displayText();
        else if (auto* grupo = qobject_cast<QGroupBox*>(w))
            texto = grupo->title();
        else if (auto* data = qobject_cast<QAbstractSpinBox*>(w))
            texto = data->text();
        const int maiuscula = QFontMetrics(w->font()).capHeight();
        if (!texto.isEmpty() && maiuscula < 8)
            pequenos << QStringLiteral("%1: capitals of %2 px").arg(nome(w, texto)).arg(maiuscula);
    }
    return pequenos;
}

const QString kNomeLongo = QStringLiteral("Maria Aparecida dos Santos de Oliveira");

class Larguras : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        QFile::copy(QStringLiteral(QUIRAVO_BUILD_DIR "/content/ZORPExercicio20.dat"), kArquivoExercicios);
        CarregaExercicios();
        MaiorCodigo();
        GravaAluno(kNomeLongo, QStringLiteral("segredo"), {}, today(), 0);
        // a lesson of exercise 41 at a speed in three digits, to show in the boxes
        clearRecord(AulaAtual);
        AulaAtual.CodAluno = CodAlunoAtual;
        AulaAtual.Data = today();
        AulaAtual.Tempo = 388;
        AulaAtual.NumExerc = 41;
        GravaAula();
    }

    void TearDown() override
    {
        Exercicios.clear();
        clearRecord(ExercicioAtual);
        AppTest::TearDown();
    }

    void naLargura(int largura)
    {
        LarguraTela = largura;
        systemseam::setDisplayWidth(largura);
    }

    using Exame = std::function<QStringList(QWidget*)>;

    // Opens the screen, lets `mostra` put what it shows on it, and lists what
    // the exam finds: by default what is cut.
    template <class Tela>
    QStringList abreEConfere(const std::function<void(Tela&)>& mostra = {}, const Exame& exame = cortados)
    {
        Tela tela;
        return mostraEConfere(tela, mostra, exame);
    }

    template <class Tela>
    QStringList mostraEConfere(Tela& tela, const std::function<void(Tela&)>& mostra = {},
                               const Exame& exame = cortados)
    {
        tela.show();
        esvaziaEventos();
        if (mostra)
            mostra(tela);
        const QStringList achados = exame(&tela);
        tela.hide();
        return achados;
    }
};

// the student's record in the boxes of the teacher's screen
void escolheOAlunoDoProfessor(TfProfessor& professor)
{
    QTableView* lista = professor.findChild<QTableView*>(QStringLiteral("lbAlunos"));
    lista->setCurrentIndex(lista->model()->index(0, 1));
}

// The gate of the teacher's password, shut for the longest wait: its
// seconds in two digits.
std::unique_ptr<TfSenhaProfessor> portaoFechado()
{
    PortaSenhaProfessor = {7, monotonicMs() + 30'000};
    return std::make_unique<TfSenhaProfessor>();
}

// a class list with a line refused
std::unique_ptr<TfMatricula> listaDaTurma()
{
    return std::make_unique<TfMatricula>(QStringLiteral("/home/professora/Documentos/turma-8B.csv"),
                                         LeListaDaTurma("Nome;E-mail\nAna Beatriz;ana@escola.br\n;sem nome\n"), 99);
}

// a practice of the words "casa" and "saca"
std::unique_ptr<TfTreino> umaPratica()
{
    treino::Ensinados ensinados{};
    for (const char c : QByteArray("cas "))
        ensinados[size_t(c)] = true;
    return std::make_unique<TfTreino>(
        QStringLiteral("Aluno"), treino::Treino(1, {}, treino::GeradorDeLinhas({"casa", "saca"}, {}, ensinados, 1), 0));
}

// the student's progress in the boxes of the entry screen
void escolheOAluno(TfEntrada& entrada)
{
    entrada.findChild<QListWidget*>(QStringLiteral("lbAluno"))->setCurrentRow(0);
}

TEST_F(Larguras, EveryCaptionValueAndTabIsReadWholeOnEveryScreen)
{
    for (int largura : kLarguras) {
        SCOPED_TRACE(largura);
        naLargura(largura);
        EXPECT_EQ(abreEConfere<TfPrin>(), QStringList()) << "main menu";
        EXPECT_EQ(abreEConfere<TfSobre>(), QStringList()) << "about";
        EXPECT_EQ(abreEConfere<TfInstrucoes>(), QStringList()) << "instructions";
        EXPECT_EQ(abreEConfere<TfCadAlunos>(), QStringList()) << "registration";
        EXPECT_EQ(abreEConfere<TfEntrada>(escolheOAluno), QStringList()) << "entry";
        TfDesempenho desempenho(DesempenhoDaTurma().front(), ExerciciosNoCurso());
        EXPECT_EQ(mostraEConfere(desempenho), QStringList()) << "progress";
        EXPECT_LE(desempenho.width(), largura);
        const std::unique_ptr<TfTreino> pratica = umaPratica();
        EXPECT_EQ(mostraEConfere(*pratica), QStringList()) << "practice";
        EXPECT_LE(pratica->width(), largura);
        TfRelatorio relatorio(DesempenhoDaTurma(), QDir::currentPath(), dateOfDayCount(today()));
        EXPECT_EQ(mostraEConfere(relatorio), QStringList()) << "class report";
        EXPECT_LE(relatorio.width(), largura);
        TfProfessor professor;
        EXPECT_EQ(mostraEConfere<TfProfessor>(professor, escolheOAlunoDoProfessor), QStringList()) << "teacher";
        EXPECT_LE(professor.width(), largura);
        const std::unique_ptr<TfMatricula> matricula = listaDaTurma();
        EXPECT_EQ(mostraEConfere(*matricula), QStringList()) << "class list";
        EXPECT_LE(matricula->width(), largura);
        EXPECT_EQ(mostraEConfere(*portaoFechado()), QStringList()) << "teacher's password";
    }
}

// The captions of the boxes, the line under them, the registration's choices:
// each in a type whose capitals stand at least 8 pixels tall, at every width
// band, its box grown or its text in two lines where the scaled type would
// be smaller. The exercise screen is not among them: at 800 and 1024 its
// headings have no room for a larger type, and stay whole in a smaller one.
TEST_F(Larguras, EveryTextIsLegibleAtEveryWidthBand)
{
    const std::function<void(TfEntrada&)> escolhe = escolheOAluno;
    for (int largura : {800, 1024, 1280}) {
        SCOPED_TRACE(largura);
        naLargura(largura);
        EXPECT_EQ(abreEConfere<TfSobre>({}, ilegiveis), QStringList()) << "about";
        EXPECT_EQ(abreEConfere<TfInstrucoes>({}, ilegiveis), QStringList()) << "instructions";
        EXPECT_EQ(abreEConfere<TfCadAlunos>({}, ilegiveis), QStringList()) << "registration";
        EXPECT_EQ(abreEConfere(escolhe, ilegiveis), QStringList()) << "entry";
        TfDesempenho desempenho(DesempenhoDaTurma().front(), ExerciciosNoCurso());
        EXPECT_EQ(mostraEConfere(desempenho, {}, ilegiveis), QStringList()) << "progress";
        EXPECT_EQ(mostraEConfere(*umaPratica(), {}, ilegiveis), QStringList()) << "practice";
        TfRelatorio relatorio(DesempenhoDaTurma(), QDir::currentPath(), dateOfDayCount(today()));
        EXPECT_EQ(mostraEConfere(relatorio, {}, ilegiveis), QStringList()) << "class report";
        TfProfessor professor;
        EXPECT_EQ(mostraEConfere<TfProfessor>(professor, escolheOAlunoDoProfessor, ilegiveis), QStringList())
            << "teacher";
        const std::unique_ptr<TfMatricula> matricula = listaDaTurma();
        EXPECT_EQ(mostraEConfere(*matricula, {}, ilegiveis), QStringList()) << "class list";
        EXPECT_EQ(mostraEConfere(*portaoFechado(), {}, ilegiveis), QStringList()) << "teacher's password";
    }
}

TEST_F(Larguras, EveryExerciseOfTheCourseFitsTheExerciseScreen)
{
    for (int largura : kLarguras) {
        SCOPED_TRACE(largura);
        naLargura(largura);
        TfExercicio tela;
        tela.lbNome->setText(kNomeLongo);
        tela.show();
        esvaziaEventos();
        for (int numero = 1; numero <= Exercicios.size && Exercicios[numero].Numero != 0; ++numero) {
            ExercicioAtual = Exercicios[numero];
            tela.MostraExercicio();
            EXPECT_EQ(cortados(&tela), QStringList()) << "exercise " << numero;
        }
    }
}

// The line-number box counts the passes: "10." is wider than "1.".
TEST_F(Larguras, TheLineNumberBoxShowsTwoDigitsWhole)
{
    for (int largura : kLarguras) {
        SCOPED_TRACE(largura);
        naLargura(largura);
        clearRecord(ExercicioAtual);
        ExercicioAtual.Numero = 1;
        ExercicioAtual.Linha1.set("ab");
        ExercicioAtual.LinhasExigidas = 20;
        TfExercicio tela;
        tela.MostraExercicio();
        tela.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&tela));
        for (int passagem = 1; passagem <= 9; ++passagem) {
            digita(QStringLiteral("ab"));
            tecla(Qt::Key_Return);
        }
        auto* numero = tela.findChild<QLineEdit*>(QStringLiteral("edNumLinha"));
        ASSERT_EQ(numero->text(), QStringLiteral("10."));
        EXPECT_EQ(cortados(&tela), QStringList());
    }
}

}  // namespace
