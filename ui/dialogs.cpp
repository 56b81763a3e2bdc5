#include "ui/dialogs.h"

#include "platform/errors.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>
#include <deque>

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
    case BoxKind::Input: break;
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

QString realInputBox(const QString& title, const QString& prompt, const QString& defaultText)
{
    QWidget* owner = QApplication::activeWindow();
    QDialog dialog(owner);
    dialog.setWindowTitle(title);
    auto* label = new QLabel(screenText(prompt), &dialog);
    auto* field = new QLineEdit(defaultText, &dialog);
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
    case BoxKind::Input: break;
    }
    return {};
}

BoxAnswer showMessage(BoxKind kind, const QString& text)
{
    if (seam().installed)
        return recordedAnswer(kind, text);
    return realBox(kind, text);
}

QString inputBox(const QString& title, const QString& prompt, const QString& defaultText)
{
    Seam& s = seam();
    if (!s.installed)
        return realInputBox(title, prompt, defaultText);
    boxseam::Shown box{BoxKind::Input, title, prompt};
    s.shown.push_back(box);
    if (s.onShow)
        s.onShow(box);
    if (s.inputs.empty())
        return defaultText;
    const std::optional<QString> typed = s.inputs.front();
    s.inputs.pop_front();
    return typed.value_or(defaultText);
}

namespace boxseam {

void install() { seam().installed = true; }
void uninstall() { seam() = Seam{}; }
bool installed() { return seam().installed; }
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
