// The road of a first lesson through the whole program: a first start without
// students, the registration, the main menu, the entry screen and exercise 1
// in the exercise screen, all with real keys.

#include "fixture_alunos.h"

#include "app/uPrin.h"
#include "data/records.h"
#include "data/scrambling.h"
#include "data/text.h"
#include "ui/dialogs.h"
#include "support/modal.h"
#include "support/teclado.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

template <int N>
void embaralhado(TextField<N>& campo, const QByteArray& texto, const QByteArray& chave)
{
    campo.set(Embaralha(texto, chave));
}

// a catalogue of two exercises as the course ships it, texts scrambled
void gravaCatalogo()
{
    QByteArray arquivo;
    for (int numero : {1, 2}) {
        tExercicio registro;
        clearRecord(registro);
        const QByteArray chave = GeraChave().left(10);
        registro.Chave.set(chave);
        registro.Numero = std::uint8_t(numero);
        embaralhado(registro.Linha1, "asdf " + QByteArray::number(numero), chave);
        for (auto* vazia : {&registro.Linha2, &registro.Linha3, &registro.Linha4})
            embaralhado(*vazia, {}, chave);
        embaralhado(registro.Instrucao, "Digite as letras.", chave);
        registro.LinhasExigidas = 1;
        arquivo.append(reinterpret_cast<const char*>(&registro), sizeof registro);
    }
    writeFile(kArquivoExercicios, arquivo);
}

// Keys reach a screen once it has taken the focus.
void esperaAtivar(QWidget* tela)
{
    EXPECT_TRUE(QTest::qWaitFor([tela] { return QApplication::activeWindow() == tela; }))
        << tela->objectName().toStdString();
}

// The control that has the focus, by name.
QString foco()
{
    QWidget* widget = QApplication::focusWidget();
    return widget ? widget->objectName() : QString();
}

struct Visto {
    bool cadastroAberto = false;
    QString focoNoCadastro;
    bool senhaPedidaAoAbrir = false;
    QString focoAposTab;
    QString nomeNaLista;
    int numExercicio = 0;
    int numero = 0;
    QString nomeNaAula;
    QString focoNaAula;
};

class Estrada : public ComAlunos {
protected:
    void SetUp() override
    {
        ComAlunos::SetUp();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override
    {
        programa.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ComAlunos::TearDown();
    }
    std::unique_ptr<Programa> programa;
};

TEST_F(Estrada, AFirstStartEndsInExerciseOne)
{
    gravaCatalogo();
    Visto visto;
    bool cadastroFechouComF10 = false;
    bool fechouComF10 = false;

    // the registration opens by itself after the warning
    whenModal([&](QWidget* cadastro) {
        visto.cadastroAberto = cadastro->objectName() == QStringLiteral("fCadAlunos");
        visto.focoNoCadastro = foco();
        digita(QStringLiteral("Ana"));
        tecla(Qt::Key_F5);
        tecla(Qt::Key_F10);
        cadastroFechouComF10 = !cadastro->isVisible();
        cadastro->close();
    });
    programa = std::make_unique<Programa>();
    TfPrin* menu = programa->principal();
    auto* fazerAula = menu->findChild<QPushButton*>(QStringLiteral("bbFazerAula"));
    QTRY_VERIFY(visto.cadastroAberto && QApplication::activeModalWidget() == nullptr);
    QTRY_VERIFY(fazerAula->isEnabled());
    EXPECT_TRUE(cadastroFechouComF10);
    ASSERT_FALSE(boxseam::shown().empty());
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Warning);
    EXPECT_TRUE(boxseam::shown()[0].text.startsWith(QStringLiteral("Atenção!!!\r")));

    whenModal([&](QWidget* entrada) {
        auto* senha = entrada->findChild<QLineEdit*>(QStringLiteral("edSenha"));
        auto* lista = entrada->findChild<QListWidget*>(QStringLiteral("lbAluno"));
        // after a registration the gate finds a raw record
        visto.senhaPedidaAoAbrir = QTest::qWaitFor([senha] { return senha->isVisible(); });
        tecla(Qt::Key_Tab);
        visto.focoAposTab = foco();
        tecla(Qt::Key_Down);
        visto.nomeNaLista = lista->currentItem() ? lista->currentItem()->text() : QString();

        whenModal(
            [&](QWidget* exercicio) {
                visto.numExercicio = NumExercicio;
                visto.numero = ExercicioAtual.Numero;
                visto.nomeNaAula = exercicio->findChild<QLabel*>(QStringLiteral("lbNome"))->text();
                visto.focoNaAula = foco();
                tecla(Qt::Key_F10);  // "Finalizar aula"
                fechouComF10 = !exercicio->isVisible();
                exercicio->close();
            },
            entrada);
        tecla(Qt::Key_Return);
        esperaAtivar(entrada);
        tecla(Qt::Key_Escape);
    });
    esperaAtivar(menu);
    tecla(Qt::Key_F2);

    EXPECT_EQ(visto.focoNoCadastro, QStringLiteral("dbedNome"));
    EXPECT_TRUE(fechouComF10);
    EXPECT_TRUE(visto.senhaPedidaAoAbrir);
    EXPECT_EQ(visto.focoAposTab, QStringLiteral("lbAluno"));
    EXPECT_EQ(visto.nomeNaLista, QStringLiteral("Ana"));
    EXPECT_EQ(visto.numExercicio, 1);
    EXPECT_EQ(visto.numero, 1);
    EXPECT_EQ(visto.nomeNaAula, QStringLiteral("Ana"));
    EXPECT_EQ(visto.focoNaAula, QStringLiteral("edDig"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
