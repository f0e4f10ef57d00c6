#include "ui/widgets/cursor_blink_timeout.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>

class TestCursorBlinkTimeout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Left alone, the cursor stops blinking; a key press or a click makes it blink again, and
    // once the watch is gone the desktop's own period is back.
    void blinkingStopsWhenLeftAloneAndComesBackWithInput() {
        QStyleHints* hints = QGuiApplication::styleHints();
        const int platformMs = hints->cursorFlashTime();
        QVERIFY(platformMs > 0);
        QLineEdit field;
        {
            const CursorBlinkTimeout timeout(std::chrono::milliseconds(1));
            QTRY_COMPARE(hints->cursorFlashTime(), 0);
            QTest::keyClick(&field, Qt::Key_A);
            QCOMPARE(hints->cursorFlashTime(), platformMs);
            QTRY_COMPARE(hints->cursorFlashTime(), 0);
            QTest::mouseClick(&field, Qt::LeftButton);
            QCOMPARE(hints->cursorFlashTime(), platformMs);
            QTRY_COMPARE(hints->cursorFlashTime(), 0);
        }
        QCOMPARE(hints->cursorFlashTime(), platformMs);
    }
};

QTEST_MAIN(TestCursorBlinkTimeout)
#include "test_cursor_blink_timeout.moc"
