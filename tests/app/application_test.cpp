#include "app/application.h"

#include "ui_fakes.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace brisomar {
namespace {

using testing::Boxes;
using enum testing::BoxKind;

class ThrowingHandler : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Floating point overflow");
        return QObject::event(e);
    }
};

TEST(Application, AnExceptionFromAHandlerIsShownAndTheProgramGoesOn) {
    auto* app = qobject_cast<BrisomarApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(QCoreApplication::applicationName(), "BRISOMAR");
    testing::ScriptedDialogs dialogs;
    app->setDialogs(&dialogs);
    ThrowingHandler handler;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&handler, &event));
    EXPECT_EQ(dialogs.shown, (Boxes{{Message, "Floating point overflow"}}));

    bool later = false; // the event loop still delivers what comes next
    QTimer::singleShot(0, [&] { later = true; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(later);
    app->setDialogs(nullptr);
}

} // namespace
} // namespace brisomar
