// The window as it looks and behaves before any button is clicked: its frame, placement, controls,
// label and closing.
#include "vcfcsv/app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace vcfcsv::app {
namespace {

TEST(CentredTopLeftTest, CentresTheOuterRectangleTruncatingTowardZero) {
  struct {
    QSize screen;
    QPoint topLeft;
  } const cases[] = {
      {{1024, 768}, {376, 292}}, {{1920, 1080}, {824, 448}}, {{271, 183}, {0, 0}},
      {{270, 183}, {0, 0}},      {{200, 100}, {-35, -41}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.screen.width() << "x" << c.screen.height());
    EXPECT_EQ(CentredTopLeft(c.screen), c.topLeft);
  }
}

TEST(ClientSizeForTest, KeepsTheOuterSizeAroundAReportedFrame) {
  struct {
    QMargins frame;
    QSize client;
  } const cases[] = {
      {{}, {265, 161}},             // no frame reported: the controls and their margins
      {{1, 20, 1, 1}, {269, 162}},  // a thin frame with a caption
      {{3, 22, 3, 3}, {265, 158}},
      {{8, 40, 8, 8}, {255, 153}},  // a frame this thick would cover the label's last line
      {{20, 20, 20, 20}, {250, 153}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.frame.left() << "," << c.frame.top() << ","
                                      << c.frame.right() << "," << c.frame.bottom());
    EXPECT_EQ(ClientSizeFor(c.frame), c.client);
  }
}

TEST(MainWindowTest, IsAFixedTopLevelWindowWithTitleIconAndCloseBoxOnly) {
  MainWindow window;
  window.show();
  window.move(10, 10);

  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("手机电话簿vcf/csv转换工具"));
  EXPECT_FALSE(window.windowIcon().pixmap(16, 16).isNull());
  EXPECT_FALSE(window.windowIcon().pixmap(48, 48).isNull());
  // The offscreen platform reports a frame as a window manager does, once the window is up.
  EXPECT_EQ(window.frameGeometry().size(), QSize(271, 183));
  EXPECT_EQ(window.size().expandedTo(kControlsExtent), window.size());
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window) << "an ordinary window, with a taskbar entry";
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
}

TEST(MainWindowTest, ButtonsSitWhereTheFormPutsThem) {
  struct {
    const char* name;
    QRect geometry;
    const char* caption;
  } const buttons[] = {
      {"按钮1", {16, 8, 233, 40}, "UTF-8 QUOTED-PRINTABLE 编码\nvcf转csv"},
      {"按钮2", {16, 56, 233, 40}, "csv 转\nUTF-8 QUOTED-PRINTABLE 编码 vcf"},
  };
  MainWindow window;
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.name);
    const auto* button = window.findChild<QPushButton*>(QString::fromUtf8(b.name));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), b.geometry);
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
    EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(button->testAttribute(Qt::WA_SetFont)) << "the default GUI font";
    EXPECT_TRUE(button->isEnabled());
  }
}

TEST(MainWindowTest, LabelHoldsThreeCentredLinesFromItsTopEdge) {
  MainWindow window;
  const auto* label = window.findChild<QLabel*>(QString::fromUtf8("标签1"));
  ASSERT_NE(label, nullptr);

  EXPECT_EQ(label->geometry(), QRect(15, 105, 235, 48));
  const QStringList lines = label->text().split(u'\n');
  ASSERT_EQ(lines.size(), 3) << label->text().toStdString();
  EXPECT_TRUE(lines[1].contains(QRegularExpression(QStringLiteral("\\d{4}-\\d{2}-\\d{2}"))))
      << "the build date: " << lines[1].toStdString();
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  EXPECT_EQ(label->alignment(), Qt::AlignHCenter | Qt::AlignTop);
  EXPECT_TRUE(label->wordWrap());
  EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
  EXPECT_FALSE(label->testAttribute(Qt::WA_SetFont));
}

TEST(MainWindowTest, LabelIsGreenOverAWhiteCopyOnePixelRightAndDown) {
  MainWindow window;
  window.show();
  auto* label = window.findChild<QLabel*>(QString::fromUtf8("标签1"));
  ASSERT_NE(label, nullptr);

  const QImage image =
      window.grab(label->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb green = qRgb(0, 128, 0);
  const QRgb white = qRgb(255, 255, 255);
  int greenPixels = 0;
  int whiteBelowRight = 0;
  for (int y = 0; y + 1 < image.height(); ++y) {
    for (int x = 0; x + 1 < image.width(); ++x) {
      if (image.pixel(x, y) == green) {
        ++greenPixels;
        whiteBelowRight += image.pixel(x + 1, y + 1) == white ? 1 : 0;
      }
    }
  }
  EXPECT_GT(greenPixels, 0);
  EXPECT_GT(whiteBelowRight, 0) << "no white copy shows below and right of the green text";
  EXPECT_EQ(image.pixel(0, 0), window.palette().color(QPalette::Window).rgb())
      << "the label lies on the window's face colour";
}

TEST(MainWindowTest, ClosingTheWindowEndsTheProgram) {
  MainWindow window;
  window.show();
  bool heldOpen = false;
  QTimer::singleShot(0, &window, &QWidget::close);
  // A close that is refused, or that asks something first, ends the loop here instead of hanging.
  QTimer::singleShot(0, &window, [&] {
    if (window.isVisible() || QApplication::activeModalWidget() != nullptr) {
      heldOpen = true;
      QCoreApplication::exit(1);
    }
  });

  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(heldOpen);
}

}  // namespace
}  // namespace vcfcsv::app
