#include "fixture_app.h"

#include "app/uPrin.h"
#include "ui/uAjusta.h"
#include "app/uSobre.h"
#include "data/records.h"
#include "support/rawrecords.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>

bool espera(const std::function<bool()>& condicao)
{
    return QTest::qWaitFor(condicao, 5000);
}

QMenu* abreMenuDeContexto(QWidget* alvo)
{
    const QPoint ponto = alvo->rect().center();
    QContextMenuEvent pedido(QContextMenuEvent::Mouse, ponto, alvo->mapToGlobal(ponto));
    QApplication::sendEvent(alvo, &pedido);
    espera([] { return QApplication::activePopupWidget() != nullptr; });
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void AppTest::SetUp()
{
    InTempDir::SetUp();
    // closing the main menu must not end the test run
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QString());
    LarguraTela = 0;
}

void AppTest::TearDown()
{
    programa.reset();
    esvaziaEventos();
    InTempDir::TearDown();
}

void AppTest::inicia()
{
    programa = std::make_unique<Programa>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(menu()));
}

void AppTest::esvaziaEventos()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void AppTest::criaCatalogo()
{
    writeFile(kArquivoExercicios, bytesOf(storedExercise(1)));
}

void AppTest::criaArquivoAlunosVazio()
{
    writeFile(kArquivoAlunos, {});
}

TfPrin* AppTest::menu() const
{
    return programa ? programa->principal() : nullptr;
}

QPushButton* AppTest::botao(const char* nome) const
{
    return menu()->findChild<QPushButton*>(QString::fromLatin1(nome));
}
