#include <QApplication>
#include <QIcon>
#include <QLocale>

#include "engine/number_format.h"
#include "ui/main/frm_velmor.h"
#include "ui/qt/qt_platform_services.h"
#include "ui/qt/qt_shell.h"
#include "velmor/version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmor"));
    QApplication::setApplicationVersion(QString::fromLatin1(velmor::kVersionText));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmor.png")));

    velmor::NumberFormat format(QLocale::system().decimalPoint().toStdString());
    velmor::QtShell shell;
    velmor::QtPlatformServices platform;
    velmor::FrmVelmor frm(shell, platform, format);
    if (!frm.Form_Load()) return 1;
    frm.Show();
    return QApplication::exec();
}
