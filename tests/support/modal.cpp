#include "modal.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <QTimer>
#include <memory>

namespace {

constexpr int kPollMs = 5;
constexpr int kTries = 1000;

void poll(std::shared_ptr<std::function<void(QWidget*)>> act, QWidget* except, int triesLeft)
{
    // the screen has taken the focus once it is the active window: keys sent
    // to the focused widget then reach it
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != except && modal->isVisible() && modal->isActiveWindow()) {
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
