// The baseline of the first-paint benchmark: a bare Qt window with one label, linked with
// Qt Widgets alone.
#include "first_frame_application.h"

#include <QLabel>

int main(int argc, char* argv[]) {
    FirstFrameApplication app(argc, argv);
    QLabel label(QStringLiteral("Zentrav"));
    label.show();
    return QApplication::exec();
}
