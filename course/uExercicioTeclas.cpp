// The exercise screen: the way into the typing field. Every way in (keys,
// composed characters, the mouse, drops) passes through here to the lesson's
// rules, so the field shows only what the lesson holds. The line-number box
// shares all of it and always works on the typing field.

#include "course/uExercicio.h"

#include "course/teclas.h"
#include "data/text.h"
#include "ui/acao.h"
#include "ui/dialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopeGuard>

bool TfExercicio::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edDig && watched != edNumLinha)
        return QDialog::eventFilter(watched, event);
    return filtraAcao([&] { return campoRecebeEvento(event); });
}

// What the typing field and the line-number box do with an event: true when
// it goes no further.
bool TfExercicio::campoRecebeEvento(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return campoRecebeTecla(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        // an input method takes a dead key's press; its release still comes
        if (teclas::ehTeclaMorta(*static_cast<QKeyEvent*>(event)))
            digitouTeclaMorta();
        return !teclas::moveFoco(*static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        // composed characters one at a time; text being composed changes nothing
        campoRecebeTexto(teclas::imprimiveis(static_cast<QInputMethodEvent*>(event)->commitString()));
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        edDigMouseDown();
        return true;
    case QEvent::MouseMove:
        return true;  // no selection by dragging
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    default:
        return false;
    }
}

bool TfExercicio::campoRecebeTecla(QKeyEvent* event)
{
    if (teclas::moveFoco(*event))
        return false;
    if (teclas::ehTeclaMorta(*event))
        digitouTeclaMorta();
    if (edDigKeyDown(teclas::codigoDaTecla(*event)))
        campoRecebeTexto(teclas::caracteresDaTecla(*event));
    return true;
}

void TfExercicio::campoRecebeTexto(const QString& texto)
{
    for (QChar c : texto) {
        // a character the course's code page cannot hold is refused silently
        if (const std::optional<char> caractere = toCp1252(c))
            edDigKeyPress(*caractere);
    }
}

bool TfExercicio::edDigKeyDown(int codigo)
{
    const std::optional<Licao::Status> recusa = licao_.TeclaDeMovimento(codigo);
    if (recusa)
        mostraStatus(*recusa);
    return !recusa;
}

void TfExercicio::edDigKeyPress(char caractere)
{
    mortaDigitada_ = false;
    // whatever the character led to, even an error, the guide shows what comes next
    const auto guia = qScopeGuard([this] { atualizaGuia(); });
    const Licao::Resposta resposta = licao_.Digita(caractere);
    if (resposta.veredito) {
        mostraVeredito(*resposta.veredito);
        return;
    }
    if (!resposta.aviso.isEmpty())
        showMessage(BoxKind::Information, resposta.aviso);
    if (resposta.status)
        mostraStatus(*resposta.status);
    if (resposta.cola)
        colaNoCampo();
    mostraCampo();
}

void TfExercicio::digitouTeclaMorta()
{
    mortaDigitada_ = true;
    atualizaGuia();
}

// The musical keyboard's field pastes as a plain field would: the first line
// of the clipboard, what the field can hold of it.
void TfExercicio::colaNoCampo()
{
    const QString colado = QGuiApplication::clipboard()->text().section(u'\n', 0, 0);
    QByteArray aceito;
    for (QChar c : teclas::imprimiveis(colado)) {
        if (const std::optional<char> caractere = toCp1252(c))
            aceito.append(*caractere);
    }
    licao_.Cola(aceito);
}

void TfExercicio::mostraCampo()
{
    const QString texto = fromCp1252(licao_.Campo());
    const QString mostrado = edDig->text();
    if (mostrado == texto)
        return;
    // a character added at the end goes in as a typed one would, without
    // laying the whole text out again
    if (texto.startsWith(mostrado)) {
        edDig->end(false);
        edDig->insert(texto.sliced(mostrado.size()));
    } else {
        edDig->setText(texto);
    }
}

void TfExercicio::edDigMouseDown()
{
    mantemCursorNoFinal(edDig);
}

void TfExercicio::mantemCursorNoFinal(QLineEdit* campo)
{
    campo->deselect();
    campo->setCursorPosition(int(campo->text().size()));
}
