#pragma once
// Tests of the shell run the real start-up in a temporary directory and
// drive its windows with real key and mouse events.

#include "support/fixture.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include <functional>

class Programa;

// Lets events run until the condition holds, for at most five seconds.
bool espera(const std::function<bool()>& condicao);
class TfPrin;
class QMenu;
class QPushButton;

// Opens the context menu as a right click on the given control does: the
// control passes the request on to the screen.
QMenu* abreMenuDeContexto(QWidget* alvo);

// Chooses the menu's action of that objectName as the keyboard does: Down
// until it is the active action, then Return. When the menu has no action of
// that name (the failure lists those it has) or the keys never reach it,
// closes the menu and fails.
::testing::AssertionResult escolheNoMenu(QMenu* menu, const QString& nome);

class AppTest : public InTempDir {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (splash, main menu, about box) and waits until the
    // main menu has the focus.
    void inicia();
    // Waits until every event the program has queued so far has run.
    static void esvaziaEventos();

    // Data files: a catalogue of one exercise, and an empty student file,
    // a valid one without students.
    static void criaCatalogo();
    static void criaArquivoAlunosVazio();

    TfPrin* menu() const;
    QPushButton* botao(const char* nome) const;

    std::unique_ptr<Programa> programa;
};
