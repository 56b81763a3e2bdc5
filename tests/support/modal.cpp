#include "modal.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>
#include <QTimer>
#include <memory>

namespace {

constexpr int kPollMs = 5;
constexpr int kTries = 1000;
constexpr int kOpenAfterActMs = 10'000;

// A screen the action should have ended but that stays open would leave its
// exec() waiting for the test's time-out: after a while it fails the test and
// closes the screen, unless the screen has ended meanwhile.
void watch(QWidget* modal)
{
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (!dialog)
        return;
    auto ended = std::make_shared<bool>(false);
    QObject::connect(dialog, &QDialog::finished, dialog, [ended] { *ended = true; });
    QTimer::singleShot(kOpenAfterActMs, dialog, [dialog, ended] {
        if (*ended || !dialog->isVisible())
            return;
        ADD_FAILURE() << "the modal screen " << dialog->objectName().toStdString() << " stayed open";
        dialog->close();
    });
}

void poll(std::shared_ptr<std::function<void(QWidget*)>> act, QWidget* except, int triesLeft)
{
    // the screen has taken the focus once it is the active window: keys sent
    // to the focused widget then reach it
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != except && modal->isVisible() && modal->isActiveWindow()) {
        watch(modal);
        (*act)(modal);
        return;
    }
    if (triesLeft == 0) {
        ADD_FAILURE() << "no modal screen came up";
        if (modal)
            modal->close();
        return;
    }
    QTimer::singleShot(kPollMs, [=] { poll(act, except, triesLeft - 1); });
}

}  // namespace

void whenModal(std::function<void(QWidget*)> act, QWidget* except)
{
    auto shared = std::make_shared<std::function<void(QWidget*)>>(std::move(act));
    QTimer::singleShot(0, [=] { poll(shared, except, kTries); });
}

CaixasReais::CaixasReais()
{
    boxseam::uninstall();
}

CaixasReais::~CaixasReais()
{
    boxseam::install();
}
