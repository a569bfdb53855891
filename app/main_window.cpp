#include "vcfcsv/app/main_window.h"

#include <QColor>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QWindow>

#include "vcfcsv/app/conversion_dialogs.h"
#include "vcfcsv/app/qt_dialogs.h"

// Resources compiled into a static library stay out of the program unless something names them.
static void RegisterResources() {
  Q_INIT_RESOURCE(vcfcsv_window);
}

namespace vcfcsv::app {
namespace {

const QColor kLabelGreen{0, 128, 0};

QPushButton* MakeButton(const char* caption, const QRect& geometry, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setGeometry(geometry);
  return button;
}

// Green lines over a white copy one pixel right and down, so that they look cut into the face.
QLabel* MakeEngravedLabel(const QString& text, const QRect& geometry, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setWordWrap(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kLabelGreen);
  label->setPalette(palette);
  auto* highlight = new QGraphicsDropShadowEffect(label);
  highlight->setColor(Qt::white);
  highlight->setOffset(1, 1);
  highlight->setBlurRadius(0);
  label->setGraphicsEffect(highlight);
  return label;
}

constexpr bool kAskBeforeOverwrite = true;

// Each dialog lists one file type, labelled with the extension and listing every file, and adds
// the extension to a name typed without one.
FileDialogSettings DialogSettings(FileDialogMode mode, const char* extension,
                                  bool promptToOverwrite = false) {
  FileDialogSettings settings;
  settings.mode = mode;
  settings.filterText = extension;
  settings.defaultExtension = extension;
  settings.promptToOverwrite = promptToOverwrite;
  return settings;
}

QString CreditText() {
  return QString::fromUtf8("vcfcsv 开源项目出品\n构建日期：%1\n转换只在本机进行，通讯录不会上传")
      .arg(QLatin1String(VCFCSV_BUILD_DATE));
}

}  // namespace

QPoint CentredTopLeft(const QSize& screen) {
  return {(screen.width() - kOuterSize.width()) / 2, (screen.height() - kOuterSize.height()) / 2};
}

QSize ClientSizeFor(const QMargins& frame) {
  if (frame.isNull()) {
    return kClientSize;
  }
  const QSize client = kOuterSize.shrunkBy(frame);
  return client.expandedTo(kControlsExtent);
}

QIcon ProgramIcon() {
  RegisterResources();
  return QIcon(QStringLiteral(":/icons/vcfcsv-gui.svg"));
}

MainWindow::MainWindow(DialogRunner* dialogs)
    : ownDialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogRunner>(this)),
      dialogs_(dialogs != nullptr ? *dialogs : *ownDialogs_),
      按钮1(MakeButton("UTF-8 QUOTED-PRINTABLE 编码\nvcf转csv", {16, 8, 233, 40}, this)),
      按钮2(MakeButton("csv 转\nUTF-8 QUOTED-PRINTABLE 编码 vcf", {16, 56, 233, 40}, this)),
      标签1(MakeEngravedLabel(CreditText(), {15, 105, 235, 48}, this)),
      通用对话框1(dialogs_, DialogSettings(FileDialogMode::kOpen, "vcf")),
      通用对话框2(dialogs_, DialogSettings(FileDialogMode::kSave, "csv", kAskBeforeOverwrite)),
      通用对话框3(dialogs_, DialogSettings(FileDialogMode::kOpen, "csv")),
      通用对话框4(dialogs_, DialogSettings(FileDialogMode::kSave, "vcf")) {
  setWindowTitle(QString::fromUtf8("手机电话簿vcf/csv转换工具"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowIcon(ProgramIcon());
  setFixedSize(ClientSizeFor(QMargins()));

  按钮1->setObjectName(QStringLiteral("按钮1"));
  按钮2->setObjectName(QStringLiteral("按钮2"));
  标签1->setObjectName(QStringLiteral("标签1"));
  connect(按钮1, &QPushButton::clicked, this, &MainWindow::VcfToCsv);
  connect(按钮2, &QPushButton::clicked, this, &MainWindow::CsvToVcf);
}

MainWindow::~MainWindow() = default;

void MainWindow::VcfToCsv() {
  ConvertWithDialogs(Direction::kVcfToCsv, 通用对话框1, 通用对话框2, dialogs_);
}

void MainWindow::CsvToVcf() {
  ConvertWithDialogs(Direction::kCsvToVcf, 通用对话框3, 通用对话框4, dialogs_);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  // A window manager tells the frame it drew around the window by moving the window into it; only
  // from then on can the client area be sized to give the outer size.
  if (const QWindow* window = windowHandle(); window != nullptr) {
    setFixedSize(ClientSizeFor(window->frameMargins()));
  }
  QWidget::moveEvent(event);
}

}  // namespace vcfcsv::app
