#include "QtTestEnvironment.h"

#include "ui/CFrontEnd.h"
#include "ui/qt/CQtFrontEnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace plintor::qt::testing {

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void TearDown() override
    {
        SetFrontEnd(nullptr);
        frontEnd.reset();
        application.reset();
        if (!runtimeDir.empty())
            std::filesystem::remove_all(runtimeDir);
    }

    void Ensure()
    {
        if (application)
            return;
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        char folder[] = "/tmp/plintor-gui-XXXXXX";
        if (mkdtemp(folder)) {
            runtimeDir = folder;
            setenv("XDG_RUNTIME_DIR", folder, 1);
        }
        application = std::make_unique<QApplication>(argc, argv);
        application->setQuitOnLastWindowClosed(false);
        frontEnd = std::make_unique<CQtFrontEnd>();
        SetFrontEnd(frontEnd.get());
    }

private:
    int argc = 1;
    char name[16] = "gui_tests";
    char* argv[2] = {name, nullptr};
    std::string runtimeDir;
    std::unique_ptr<QApplication> application;
    std::unique_ptr<CQtFrontEnd> frontEnd;
};

QtEnvironment* environment = static_cast<QtEnvironment*>(::testing::AddGlobalTestEnvironment(new QtEnvironment));

}

void EnsureQtFrontEnd()
{
    environment->Ensure();
}

void ClickWidget(QWidget* widget, QPoint at)
{
    ASSERT_NE(widget, nullptr);
    if (at.x() < 0)
        at = widget->rect().center();
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void TypeInto(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        int key = c.toUpper().unicode();
        if (c == QLatin1Char('.'))
            key = Qt::Key_Period;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : widget, &release);
    }
}

void PressKeyOn(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

}
