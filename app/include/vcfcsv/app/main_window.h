// The program's one window: two buttons that each run a conversion, a credit label, and the four
// file dialogs that the conversions ask for their files with.
#pragma once

#include <QIcon>
#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QWidget>
#include <memory>

#include "vcfcsv/app/dialogs.h"

class QLabel;
class QMoveEvent;
class QPushButton;

namespace vcfcsv::app {

class QtDialogRunner;

// The outer rectangle, frame and caption included, wherever the platform reports a frame.
inline constexpr QSize kOuterSize{271, 183};
// Without a reported frame: the controls with the margins they keep from the client area's edges
// (15 to 16 at the sides, 8 above and below).
inline constexpr QSize kClientSize{265, 161};
// The right and bottom edges of the controls, which a frame may never cut into.
inline constexpr QSize kControlsExtent{250, 153};

// Where the outer rectangle goes to be centred on a screen. The divisions truncate toward zero, as
// integer division does: a screen one pixel narrower than the window still gets the left edge 0.
QPoint CentredTopLeft(const QSize& screen);

// The client size that makes the outer size kOuterSize around the given frame, or kClientSize when
// there is no frame; never so small that the frame covers a control.
QSize ClientSizeFor(const QMargins& frame);

// The program's icon, drawn from the SVG in the resources at whatever size is asked for.
QIcon ProgramIcon();

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // `dialogs` runs the file dialogs and the message box; null for the window's own, on the screen.
  explicit MainWindow(DialogRunner* dialogs = nullptr);
  ~MainWindow() override;

 private slots:
  void VcfToCsv();
  void CsvToVcf();

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  std::unique_ptr<QtDialogRunner> ownDialogs_;
  DialogRunner& dialogs_;

  QPushButton* 按钮1;
  QPushButton* 按钮2;
  QLabel* 标签1;
  FileDialog 通用对话框1;  // VcfToCsv: the vCard file to read
  FileDialog 通用对话框2;  // VcfToCsv: the CSV file to write
  FileDialog 通用对话框3;  // CsvToVcf: the CSV file to read
  FileDialog 通用对话框4;  // CsvToVcf: the vCard file to write
};

}  // namespace vcfcsv::app
