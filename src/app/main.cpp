#include "app_delegate.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrav"));
    QApplication::setOrganizationName(QStringLiteral("Zentrav"));
    QApplication::setApplicationVersion(QStringLiteral(ZENTRAV_VERSION));

    AppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}
