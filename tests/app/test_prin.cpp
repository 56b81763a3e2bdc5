// Start-up and the main menu: the order of start-up, the activation that
// loads the course data, the missing files, and the menu's keys.

#include "fixture_app.h"
#include "support/modal.h"
#include "support/teclado.h"

#include "ui/uAjusta.h"
#include "app/uInstrucoes.h"
#include "app/uPrin.h"
#include "app/uSobre.h"
#include "data/records.h"
#include "ui/dialogs.h"
#include "platform/system.h"
#include "students/uCadAlunos.h"
#include "students/uEntrada.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

const QString kAvisoSemAlunos = QStringLiteral(
    "Atenção!!!\rNão existem alunos cadastrados para fazer aulas.\r\r"
    "Você irá agora cadastrar um aluno para fazer as aulas.\r"
    "Por favor, digite pelo menos o nome do aluno.\r"
    "Se desejar, digite uma senha para que somente você tenha acesso às aulas.");

// Records, in order, what start-up does to its windows.
class Registro : public QObject {
public:
    QStringList passos;

    bool eventFilter(QObject* objeto, QEvent* event) override
    {
        auto* w = qobject_cast<QWidget*>(objeto);
        if (!w)
            return false;
        const QString nome = w->objectName();
        if (w->isWindow() && nome == QLatin1String("fSobre") && !sobres.contains(w))
            sobres.append(w);
        const QString quem = nome == QLatin1String("fSobre") ? QStringLiteral("sobre%1").arg(sobres.indexOf(w) + 1)
                                                              : nome;
        if (event->type() == QEvent::Paint && w->window()->objectName() == QLatin1String("fSobre") && !sobres.isEmpty()
            && w->window() == sobres.first())
            anota(QStringLiteral("sobre1 pintada"));
        if (!w->isWindow())
            return false;
        if (event->type() == QEvent::Show)
            anota(quem + QStringLiteral(" mostrada"));
        else if (nome == QLatin1String("fPrin") && !principalVisto) {
            principalVisto = true;
            anota(QStringLiteral("fPrin criada, título: ") + QGuiApplication::applicationDisplayName());
        }
        return false;
    }

private:
    void anota(const QString& passo)
    {
        if (!passos.contains(passo))
            passos.append(passo);
    }
    QList<QWidget*> sobres;
    bool principalVisto = false;
};

class MenuTest : public AppTest {};

}  // namespace

TEST_F(MenuTest, StartUpShowsAndPaintsTheSplashBeforeTheMainMenuThenRepointsTheAboutBox)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    systemseam::setDisplayWidth(1100);
    Registro registro;
    qApp->installEventFilter(&registro);
    inicia();
    qApp->removeEventFilter(&registro);

    ASSERT_GE(registro.passos.size(), 3);
    EXPECT_EQ(registro.passos[0], QStringLiteral("sobre1 mostrada"));
    EXPECT_EQ(registro.passos[1], QStringLiteral("sobre1 pintada"));
    EXPECT_EQ(registro.passos[2], QStringLiteral("fPrin criada, título: Quiravo - Curso de digitação"));
    EXPECT_FALSE(registro.passos.contains(QStringLiteral("sobre2 mostrada")));
    EXPECT_LT(registro.passos.indexOf(QStringLiteral("sobre1 pintada")),
              registro.passos.indexOf(QStringLiteral("fPrin mostrada")));

    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Quiravo - Curso de digitação"));
    EXPECT_EQ(LarguraTela, 1100);
    EXPECT_EQ(fSobre, programa->sobre());
    EXPECT_NE(fSobre, programa->splash());
    EXPECT_FALSE(fSobre->isVisible());
    EXPECT_TRUE(programa->splash()->isVisible());
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_EQ(menu()->size(), QSize(594, 324));
}

TEST_F(MenuTest, ActivationAtStartUpRunsAfterTheSplashsWaitAndLoadsTheData)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    Exercicios[1].Numero = 7;
    NumAlunos = 9;
    inicia();
    ASSERT_TRUE(espera([&] { return int(Exercicios[1].Numero) == 1; }));
    ASSERT_TRUE(espera([&] { return int(NumAlunos) == 0; }));

    EXPECT_EQ(systemseam::sleeps(), std::vector<int>{kEsperaPerdaFocoMs});
    EXPECT_TRUE(boxseam::shown().empty());
    EXPECT_TRUE(botao("bbFazerAula")->isEnabled());
    EXPECT_TRUE(programa->splash()->isVisible());
    EXPECT_FALSE(fSobre->isVisible());
}

TEST_F(MenuTest, AMissingCatalogueGivesOneErrorAndNothingElse)
{
    std::vector<int> esperasAntesDoErro{-1};
    boxseam::onShow([&](const boxseam::Shown&) { esperasAntesDoErro = systemseam::sleeps(); });
    inicia();
    ASSERT_TRUE(espera([&] { return boxseam::shown().size() == std::size_t(1); }));
    esvaziaEventos();

    ASSERT_EQ(boxseam::shown().size(), std::size_t(1));
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::ErrorReport);
    EXPECT_EQ(boxseam::shown()[0].title, QStringLiteral("Quiravo - Curso de digitação"));
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("File not found."));
    EXPECT_EQ(esperasAntesDoErro, std::vector<int>{kEsperaPerdaFocoMs}) << "the load runs after the splash's wait";
    EXPECT_EQ(fCadAlunos, nullptr);
    EXPECT_TRUE(botao("bbFazerAula")->isEnabled());
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_TRUE(menu()->isActiveWindow());
}

TEST_F(MenuTest, AMissingStudentFileWarnsOpensRegistrationAndEnablesLessonsOnlyIfAStudentWasSaved)
{
    for (const bool salva : {false, true}) {
        SCOPED_TRACE(salva ? "a student saved" : "closed without saving");
        criaCatalogo();
        QFile::remove(kArquivoAlunos);
        boxseam::clear();
        bool cadastroAberto = false;
        bool botaoDuranteCadastro = true;
        whenModal([&](QWidget* tela) {
            cadastroAberto = qobject_cast<TfCadAlunos*>(tela) != nullptr && fCadAlunos == tela;
            botaoDuranteCadastro = botao("bbFazerAula")->isEnabled();
            if (salva)
                criaArquivoAlunosVazio();
            tela->close();
        });
        inicia();
        ASSERT_TRUE(espera([&] { return cadastroAberto; }));
        ASSERT_TRUE(espera([&] { return fCadAlunos == nullptr; }));
        esvaziaEventos();

        ASSERT_FALSE(boxseam::shown().empty());
        EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Warning);
        EXPECT_EQ(boxseam::shown()[0].title, QStringLiteral("Perigo"));
        EXPECT_EQ(boxseam::shown()[0].text, kAvisoSemAlunos);
        EXPECT_FALSE(botaoDuranteCadastro);
        EXPECT_EQ(botao("bbFazerAula")->isEnabled(), salva);
        EXPECT_TRUE(menu()->findChildren<TfCadAlunos*>().isEmpty()) << "the screen is disposed of";
        programa.reset();
        esvaziaEventos();
    }
}

TEST_F(MenuTest, ClosingAModalScreenDoesNotReloadButComingBackFromTheSplashDoes)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    Exercicios[1].Numero = 7;
    inicia();
    ASSERT_TRUE(espera([&] { return int(Exercicios[1].Numero) == 1; }));
    // a reload from now on would report the missing catalogue
    QFile::remove(kArquivoExercicios);
    systemseam::clear();

    bool instrucoesAbertas = false;
    whenModal([&](QWidget* tela) {
        instrucoesAbertas = tela == fInstrucoes;
        tecla(Qt::Key_Escape);
    });
    QTest::mouseClick(botao("BitBtn3"), Qt::LeftButton);
    EXPECT_TRUE(instrucoesAbertas);
    ASSERT_TRUE(espera([&] { return menu()->isActiveWindow(); }));
    esvaziaEventos();
    EXPECT_TRUE(boxseam::shown().empty()) << "closing a modal screen reloaded the data";

    // the user clicks on the splash, then back on the main menu
    programa->splash()->activateWindow();
    ASSERT_TRUE(espera([&] { return programa->splash()->isActiveWindow(); }));
    menu()->activateWindow();
    ASSERT_TRUE(espera([&] { return boxseam::shown().size() == std::size_t(1); }));
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("File not found."));
    EXPECT_EQ(systemseam::sleeps(), std::vector<int>{kEsperaPerdaFocoMs});
    EXPECT_TRUE(programa->splash()->isVisible());
}

TEST_F(MenuTest, F2AndTheMenuItemOpenTheEntryScreenAlsoWhileTheButtonIsDisabled)
{
    // no student file: the registration closes unsaved and the button stays disabled
    criaCatalogo();
    whenModal([](QWidget* tela) { tela->close(); });
    inicia();
    ASSERT_TRUE(espera([&] { return !botao("bbFazerAula")->isEnabled(); }));
    ASSERT_TRUE(espera([&] { return fCadAlunos == nullptr; }));
    ASSERT_TRUE(espera([&] { return menu()->isActiveWindow(); }));

    for (const bool peloMenu : {false, true}) {
        SCOPED_TRACE(peloMenu ? "menu item" : "F2");
        QPointer<QWidget> entrada;
        whenModal([&](QWidget* tela) {
            if (qobject_cast<TfEntrada*>(tela) && fEntrada == tela)
                entrada = tela;
            tela->close();
        });
        if (peloMenu) {
            QMenu* contexto = abreMenuDeContexto(botao("bbNovoAluno"));
            ASSERT_NE(contexto, nullptr);
            ASSERT_TRUE(escolheNoMenu(contexto, QStringLiteral("fazer1")));
        } else {
            tecla(Qt::Key_F2);
        }
        ASSERT_TRUE(espera([&] { return !entrada.isNull(); }));
        ASSERT_TRUE(espera([&] { return fEntrada == nullptr; }));
        esvaziaEventos();
        EXPECT_TRUE(entrada.isNull()) << "the entry screen is destroyed after it closes";
        ASSERT_TRUE(espera([&] { return menu()->isActiveWindow(); }));
    }
}

TEST_F(MenuTest, TheContextMenuOffersFazerAulaF2TheClassReportTheTeacherAndSairF10)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    QMenu* contexto = abreMenuDeContexto(menu()->findChild<QWidget*>(QStringLiteral("Image1")));
    ASSERT_NE(contexto, nullptr);
    const QList<QAction*> itens = contexto->actions();
    ASSERT_EQ(itens.size(), 4);
    EXPECT_EQ(itens[0]->text(), QStringLiteral("Fazer aula"));
    EXPECT_EQ(itens[0]->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(itens[1]->text(), QStringLiteral("Relatório da turma"));
    EXPECT_EQ(itens[2]->text(), QStringLiteral("Professor"));
    EXPECT_EQ(itens[3]->text(), QStringLiteral("Sair"));
    EXPECT_EQ(itens[3]->shortcut(), QKeySequence(Qt::Key_F10));
    contexto->close();
}

// The menu key asks for the menu with the pointer's place, which may lie
// outside the window: the menu opens at the focused control instead.
TEST_F(MenuTest, TheMenuKeyOpensTheContextMenuAtTheFocusedControl)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    tecla(Qt::Key_Tab);
    QWidget* foco = comFoco();
    ASSERT_EQ(foco, botao("bbNovoAluno"));
    const QPoint ponteiro = menu()->geometry().bottomRight() + QPoint(150, 120);
    QContextMenuEvent pedido(QContextMenuEvent::Keyboard, foco->mapFromGlobal(ponteiro), ponteiro);
    QApplication::sendEvent(foco, &pedido);
    ASSERT_TRUE(espera([] { return QApplication::activePopupWidget() != nullptr; }));

    QWidget* contexto = QApplication::activePopupWidget();
    EXPECT_EQ(contexto->pos(), foco->mapToGlobal(foco->rect().center()));
    EXPECT_TRUE(menu()->geometry().contains(contexto->pos()));
    contexto->close();
}

TEST_F(MenuTest, SairF10EscAndTheMenuItemCloseTheMainMenu)
{
    enum class Como { Botao, F10, Esc, ItemSair };
    for (const Como como : {Como::Botao, Como::F10, Como::Esc, Como::ItemSair}) {
        SCOPED_TRACE(int(como));
        criaCatalogo();
        criaArquivoAlunosVazio();
        inicia();
        QPushButton* foco = botao("bbFazerAula");
        ASSERT_TRUE(espera([&] { return QApplication::focusWidget() == foco; }));
        switch (como) {
        case Como::Botao: QTest::mouseClick(botao("bbSair"), Qt::LeftButton); break;
        case Como::F10: tecla(Qt::Key_F10); break;
        case Como::Esc: tecla(Qt::Key_Escape); break;
        case Como::ItemSair: {
            QMenu* contexto = abreMenuDeContexto(foco);
            ASSERT_NE(contexto, nullptr);
            ASSERT_TRUE(escolheNoMenu(contexto, QStringLiteral("Sair1")));
            break;
        }
        }
        ASSERT_TRUE(espera([&] { return !menu()->isVisible(); }));
        programa.reset();
        esvaziaEventos();
    }
}

TEST_F(MenuTest, TheButtonsFollowTheirTabOrder)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    ASSERT_TRUE(espera([&] { return botao("bbFazerAula")->hasFocus(); }));
    for (const char* proximo : {"bbNovoAluno", "bbSair", "BitBtn3", "bbFazerAula"}) {
        tecla(Qt::Key_Tab);
        EXPECT_TRUE(botao(proximo)->hasFocus()) << proximo;
    }
}

TEST_F(MenuTest, ClosingTheSplashHandsTheFocusToTheMainMenuWhichReloadsAfterTheWait)
{
    enum class Como { Esc, Ok };
    for (const Como como : {Como::Esc, Como::Ok}) {
        SCOPED_TRACE(como == Como::Esc ? "Esc" : "OK");
        criaCatalogo();
        criaArquivoAlunosVazio();
        Exercicios[1].Numero = 7;
        boxseam::clear();
        inicia();
        ASSERT_TRUE(espera([&] { return int(Exercicios[1].Numero) == 1; }));
        // a reload from now on would report the missing catalogue
        QFile::remove(kArquivoExercicios);
        systemseam::clear();
        std::vector<int> esperasAntesDoErro;
        boxseam::onShow([&](const boxseam::Shown&) { esperasAntesDoErro = systemseam::sleeps(); });

        TfSobre* splash = programa->splash();
        splash->activateWindow();
        ASSERT_TRUE(espera([&] { return splash->isActiveWindow(); }));
        if (como == Como::Esc)
            tecla(Qt::Key_Escape);
        else
            QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);

        ASSERT_TRUE(espera([&] { return boxseam::shown().size() == std::size_t(1); }));
        esvaziaEventos();
        ASSERT_EQ(boxseam::shown().size(), std::size_t(1));
        EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("File not found."));
        EXPECT_EQ(esperasAntesDoErro, std::vector<int>{kEsperaPerdaFocoMs});
        EXPECT_FALSE(splash->isVisible());
        EXPECT_TRUE(menu()->isActiveWindow());
        boxseam::onShow(nullptr);
        programa.reset();
        esvaziaEventos();
    }
}
