#include "fixture_app.h"

#include "app/uPrin.h"
#include "ui/uAjusta.h"
#include "app/uSobre.h"
#include "data/records.h"
#include "support/rawrecords.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <algorithm>

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

namespace {

// "Professor1 (Professor)", as a failure names an action
QString descreve(const QAction* acao)
{
    return QStringLiteral("%1 (%2)").arg(acao->objectName(), acao->text());
}

}  // namespace

::testing::AssertionResult escolheNoMenu(QMenu* menu, const QString& nome)
{
    const QList<QAction*> acoes = menu->actions();
    const auto achada = std::find_if(acoes.begin(), acoes.end(),
                                     [&](const QAction* acao) { return acao->objectName() == nome; });
    if (achada == acoes.end()) {
        QStringList existentes;
        for (const QAction* acao : acoes) {
            if (!acao->isSeparator())
                existentes << descreve(acao);
        }
        menu->close();
        return ::testing::AssertionFailure()
               << "the menu has no action " << nome.toStdString() << ", only " << existentes.join(", ").toStdString();
    }
    // Down wraps round at the end: one turn of the menu passes every action
    // the keys can reach
    for (qsizetype passos = 0; menu->activeAction() != *achada && passos < acoes.size(); ++passos)
        QTest::keyClick(menu, Qt::Key_Down);
    if (menu->activeAction() != *achada) {
        menu->close();
        return ::testing::AssertionFailure() << "the Down key never reaches " << descreve(*achada).toStdString();
    }
    QTest::keyClick(menu, Qt::Key_Return);
    return ::testing::AssertionSuccess();
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
