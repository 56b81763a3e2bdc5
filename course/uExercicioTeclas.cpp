// The exercise screen: what reaches the typing field (through
// EntradaDoCampo) goes to the lesson's rules, so the field shows only what
// the lesson holds. The line-number box shares all of it and always works on
// the typing field.

#include "course/uExercicio.h"

#include "course/entradadocampo.h"
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
    mostraNoCampo(edDig, fromCp1252(licao_.Campo()));
}
