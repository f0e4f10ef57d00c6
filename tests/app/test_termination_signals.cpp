#include "app/termination_signals.h"

#include <QSignalSpy>
#include <QtTest>
#include <csignal>

class TestTerminationSignals : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each reaches the event loop; the handler from before is back once the object is gone.
    void reachTheEventLoop() {
        for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
            struct sigaction before {};
            ::sigaction(signalNumber, nullptr, &before);
            {
                const TerminationSignals handler;
                QSignalSpy received(&handler, &TerminationSignals::received);
                QCOMPARE(::raise(signalNumber), 0);
                QTRY_COMPARE(received.count(), 1);
                QCOMPARE(received.at(0).at(0).toInt(), signalNumber);
            }
            struct sigaction after {};
            ::sigaction(signalNumber, nullptr, &after);
            QVERIFY(after.sa_handler == before.sa_handler);
        }
    }

    // nohup and background jobs of scripts ignore some of them on purpose.
    void leavesAnIgnoredSignalIgnored() {
        ::signal(SIGHUP, SIG_IGN);
        const TerminationSignals handler;
        QSignalSpy received(&handler, &TerminationSignals::received);
        QCOMPARE(::raise(SIGHUP), 0);
        QCOMPARE(::raise(SIGINT), 0);
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toInt(), SIGINT);
        ::signal(SIGHUP, SIG_DFL);
    }
};

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "test_termination_signals.moc"
