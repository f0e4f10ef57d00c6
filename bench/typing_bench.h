#pragma once

// The main window over a made-up process table, and keys typed into its field one at a time,
// each next to the same key typed into a bare line edit.
#include "bench_timing.h"
#include "engine/process/process_runner.h"
#include "fake_monitor_world.h"
#include "ui/main_view.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <vector>

class TypingBench {
public:
    struct Times {
        std::vector<double> keystrokes; // the main thread's processor time, key to repainted window
        std::vector<double> bareKeystrokes;
        std::vector<double> walls; // wall time of the window's keystrokes
    };

    TypingBench(std::shared_ptr<ProcessRunner> runner, quint32 currentUid)
        : controller(servicesOf(world, std::move(runner), currentUid),
                     std::make_shared<FakeFileChooser>()) {}

    // False, with a word on standard error, when the windows did not show.
    bool show() {
        controller.show();
        bare.show();
        if (QTest::qWaitForWindowExposed(&controller) && QTest::qWaitForWindowExposed(&bare))
            return true;
        std::fprintf(stderr, "the windows did not show\n");
        return false;
    }

    QLineEdit* field() const {
        return controller.findChild<QLineEdit*>(QStringLiteral("inputField"));
    }

    // Types the text and erases it again, `rounds` times.
    Times typeAndErase(const QString& text, int rounds) {
        QList<Qt::Key> keys;
        for (QChar c : text)
            keys.append(c == u' ' ? Qt::Key_Space : Qt::Key(c.toUpper().unicode()));
        keys.append(QList<Qt::Key>(text.size(), Qt::Key_Backspace));
        Times times;
        for (int round = 0; round < rounds; ++round) {
            for (Qt::Key key : keys) {
                times.keystrokes.push_back(measure(controller, field(), key, &times.walls));
                times.bareKeystrokes.push_back(measure(bare, &bare, key, nullptr));
            }
        }
        return times;
    }

    FakeMonitorWorld world;
    MainView controller;
    QLineEdit bare;

private:
    static MonitorServices servicesOf(const FakeMonitorWorld& world,
                                      std::shared_ptr<ProcessRunner> runner, quint32 currentUid) {
        MonitorServices services = world.services();
        services.runner = std::move(runner);
        services.currentUid = currentUid;
        return services;
    }

    static double measure(QWidget& window, QLineEdit* target, Qt::Key key,
                          std::vector<double>* walls) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadCpuMs();
        QTest::keyClick(target, key);
        window.repaint();
        QCoreApplication::processEvents();
        if (walls)
            walls->push_back(double(timer.nsecsElapsed()) / 1e6);
        return threadCpuMs() - cpu;
    }
};
