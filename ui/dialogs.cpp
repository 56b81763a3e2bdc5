#include "ui/dialogs.h"

#include "platform/errors.h"
#include "ui/aparencia.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <deque>
#include <utility>

namespace {

struct Seam {
    bool installed = false;
    std::deque<BoxAnswer> answers;
    std::deque<std::optional<QString>> inputs;
    std::function<void(const boxseam::Shown&)> onShow;
    std::vector<boxseam::Shown> shown;
};

Seam& seam()
{
    static Seam s;
    return s;
}

QString screenText(QString text)
{
    text.replace(u'\r', u'\n');
    return text;
}

QMessageBox::Icon iconFor(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Warning: return QMessageBox::Warning;
    case BoxKind::Error:
    case BoxKind::ErrorReport: return QMessageBox::Critical;
    case BoxKind::Information: return QMessageBox::Information;
    case BoxKind::Confirmation: return QMessageBox::Question;
    case BoxKind::Input:
    case BoxKind::SaveFile:
    case BoxKind::OpenFile:
    case BoxKind::Print: break;
    }
    return QMessageBox::NoIcon;
}

BoxAnswer recordedAnswer(BoxKind kind, const QString& text)
{
    Seam& s = seam();
    boxseam::Shown box{kind, boxTitle(kind), text};
    s.shown.push_back(box);
    if (s.onShow)
        s.onShow(box);
    if (!s.answers.empty()) {
        const BoxAnswer answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    return kind == BoxKind::Confirmation ? BoxAnswer::No : BoxAnswer::Ok;
}

// Records a box that answers with a text, and takes its answer from the queue.
std::optional<QString> recordedInput(BoxKind kind, const QString& title, const QString& text,
                                     InputEcho echo = InputEcho::Clear)
{
    Seam& s = seam();
    boxseam::Shown box{kind, title, text, echo};
    s.shown.push_back(box);
    if (s.onShow)
        s.onShow(box);
    std::optional<QString> typed;
    if (!s.inputs.empty()) {
        typed.swap(s.inputs.front());
        s.inputs.pop_front();
    }
    return typed;
}

// Shows the box, then gives the focus back to the window it came from.
int execOver(QDialog& box, QWidget* owner)
{
    const int result = box.exec();
    requestFocus(owner);
    return result;
}

BoxAnswer realBox(BoxKind kind, const QString& text)
{
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(iconFor(kind), boxTitle(kind), screenText(text), QMessageBox::NoButton, owner);
    if (kind == BoxKind::Confirmation) {
        QPushButton* yes = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        execOver(box, owner);
        if (box.clickedButton() == yes)
            return BoxAnswer::Yes;
        return box.clickedButton() == no ? BoxAnswer::No : BoxAnswer::Closed;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    execOver(box, owner);
    return BoxAnswer::Ok;
}

QString realInputBox(const QString& title, const QString& prompt, const QString& defaultText, InputEcho echo)
{
    QWidget* owner = QApplication::activeWindow();
    QDialog dialog(owner);
    dialog.setWindowTitle(title);
    auto* label = new QLabel(screenText(prompt), &dialog);
    auto* field = new QLineEdit(defaultText, &dialog);
    field->setObjectName(QStringLiteral("edResposta"));
    if (echo == InputEcho::Password)
        aparencia::mostraAsteriscos(field);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancela"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(field);
    layout->addWidget(buttons);
    field->setFocus();
    return execOver(dialog, owner) == QDialog::Accepted ? field->text() : defaultText;
}

}  // namespace

void requestFocus(QWidget* window)
{
    if (!window || !window->isVisible())
        return;
    if (QWindow* native = window->windowHandle())
        native->requestActivate();
}

QString boxTitle(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Warning: return QStringLiteral("Perigo");
    case BoxKind::Error: return QStringLiteral("Erro");
    case BoxKind::Information: return QStringLiteral("Informação");
    case BoxKind::Confirmation: return QStringLiteral("Confirmação");
    case BoxKind::ErrorReport: return kApplicationTitle;
    case BoxKind::Input:
    case BoxKind::SaveFile:
    case BoxKind::OpenFile:
    case BoxKind::Print: break;
    }
    return {};
}

BoxAnswer showMessage(BoxKind kind, const QString& text)
{
    if (seam().installed)
        return recordedAnswer(kind, text);
    return realBox(kind, text);
}

QString inputBox(const QString& title, const QString& prompt, const QString& defaultText, InputEcho echo)
{
    if (!seam().installed)
        return realInputBox(title, prompt, defaultText, echo);
    return recordedInput(BoxKind::Input, title, prompt, echo).value_or(defaultText);
}

std::optional<ArquivoEscolhido> arquivoParaSalvar(QWidget* owner, const QString& title, const QString& sugerido,
                                                  const QStringList& filtros)
{
    if (seam().installed) {
        const std::optional<QString> nome = recordedInput(BoxKind::SaveFile, title, sugerido);
        if (!nome)
            return std::nullopt;
        const QString extensao = QStringLiteral("*.") + QFileInfo(*nome).suffix();
        const auto filtro = std::find_if(filtros.begin(), filtros.end(),
                                         [&](const QString& f) { return f.contains(extensao); });
        return ArquivoEscolhido{*nome, filtro == filtros.end() ? QString() : *filtro};
    }
    QString filtro;
    const QString nome = QFileDialog::getSaveFileName(owner, title, sugerido, filtros.join(QStringLiteral(";;")),
                                                      &filtro);
    requestFocus(owner);
    if (nome.isEmpty())
        return std::nullopt;
    return ArquivoEscolhido{nome, filtro};
}

std::optional<QString> arquivoParaAbrir(QWidget* owner, const QString& title, const QString& pasta,
                                        const QStringList& filtros)
{
    if (seam().installed)
        return recordedInput(BoxKind::OpenFile, title, pasta);
    const QString nome = QFileDialog::getOpenFileName(owner, title, pasta, filtros.join(QStringLiteral(";;")));
    requestFocus(owner);
    if (nome.isEmpty())
        return std::nullopt;
    return nome;
}

bool escolheImpressora(QWidget* owner, const QString& title, QPrinter& impressora)
{
    if (seam().installed) {
        const std::optional<QString> pdf = recordedInput(BoxKind::Print, title, {});
        if (!pdf)
            return false;
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(*pdf);
        return true;
    }
    QPrintDialog dialogo(&impressora, owner);
    dialogo.setWindowTitle(title);
    return execOver(dialogo, owner) == QDialog::Accepted;
}

namespace boxseam {

void install() { seam().installed = true; }
void uninstall() { seam() = Seam{}; }
void queueAnswer(BoxAnswer answer) { seam().answers.push_back(answer); }
void queueInput(std::optional<QString> typed) { seam().inputs.push_back(std::move(typed)); }
void onShow(std::function<void(const Shown&)> callback) { seam().onShow = std::move(callback); }
const std::vector<Shown>& shown() { return seam().shown; }

void clear()
{
    Seam& s = seam();
    s.answers.clear();
    s.inputs.clear();
    s.onShow = nullptr;
    s.shown.clear();
}

}  // namespace boxseam

void showErrorReport(const QString& message)
{
    showMessage(BoxKind::ErrorReport, errorReportText(message));
}
