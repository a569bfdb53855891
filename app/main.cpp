// vcfcsv-gui: the window that converts a phone's address book between vCard and CSV files.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include "vcfcsv/app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(vcfcsv::app::ProgramIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("vcfcsv-gui"));

  // Qt's own words (the file dialogs' buttons and titles, "OK") in the user's language, where the
  // system has Qt's translations installed.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTranslator);
  }

  vcfcsv::app::MainWindow window;
  window.move(vcfcsv::app::CentredTopLeft(QGuiApplication::primaryScreen()->size()));
  window.show();
  return QApplication::exec();
}
