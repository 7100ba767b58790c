// The main window's layout, computed with real text measurements in the
// window font; expected positions come from the measured extents.
#include "shell/main_window_layout.h"
#include "state/display_scale.h"
#include "tests/shell/main_window_helper.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The client width of the real main window, as the paint computes it.
int RealClientWidth() {
  TestMainWindow main;
  RECT client;
  GetClientRect(main.window, &client);
  return client.right - client.left + 1;
}

MainWindowLayout LayOut(MeasureText measure, void* context, InstallMode mode,
                        const std::string& path, int clientWidth) {
  MainWindowLayoutInput input = {mode, path.c_str(), 640, clientWidth, 96};
  MainWindowLayout layout;
  LayOutMainWindow(input, measure, context, &layout);
  return layout;
}

MainWindowLayout LayOut(const MeasuringDC& m, InstallMode mode,
                        const std::string& path, int clientWidth) {
  return LayOut(MeasuringDC::Measure, m.dc, mode, path, clientWidth);
}

void ExpectCentred(const MeasuringDC& m, int clientWidth,
                   const PlacedText& line, const std::string& text, int y) {
  EXPECT_EQ(text, line.text);
  EXPECT_EQ((clientWidth - m.Width(text)) / 2, line.x) << text;
  EXPECT_EQ(y, line.y) << text;
}

TEST(MainWindowLayout, FullInstallationFromMeasuredText) {
  MeasuringDC m;
  const int cw = RealClientWidth();
  const int th = m.Height();
  const int c = cw / 2;
  MainWindowLayout layout = LayOut(m, InstallMode::Full, "c:\\Orvel\\", cw);

  EXPECT_EQ(th, layout.textHeight);
  ExpectCentred(m, cw, layout.title, "Orvel Full Installation!", th);
  ExpectCentred(m, cw, layout.releaseLine, "Release Date: Sep 22 2012", 3 * th);
  EXPECT_NE(nullptr, strstr(layout.notice.text, "Quillmere Software"));
  ExpectCentred(m, cw, layout.notice, layout.notice.text, 5 * th);
  ExpectCentred(m, cw, layout.destinationLabel, "Destination Folder:", 11 * th);
  EXPECT_EQ(c - 16, layout.iconX);
  EXPECT_EQ(16 * th, layout.iconY);
  ExpectCentred(m, cw, layout.beginLabel, "Begin Installation", 16 * th + 32);

  // The begin area: 160 by 84 pixels around the icon.
  EXPECT_EQ(c - 80, layout.beginHitRect.left);
  EXPECT_EQ(c + 80, layout.beginHitRect.right);
  EXPECT_EQ(16 * th - 26, layout.beginHitRect.top);
  EXPECT_EQ(16 * th + 58, layout.beginHitRect.bottom);
  // At this font size it covers the label under the icon.
  ASSERT_LE(th, 26);
  EXPECT_LE(layout.beginHitRect.left, layout.beginLabel.x);
  EXPECT_GE(layout.beginHitRect.right,
            layout.beginLabel.x + m.Width("Begin Installation"));
  EXPECT_GE(layout.beginHitRect.bottom, layout.beginLabel.y + th);

  // The default path is narrower than its label: the label is clickable.
  const std::string path = "  c:\\Orvel\\  ";
  const int labelWidth = m.Width("Destination Folder:");
  ASSERT_LT(m.Width(path), labelWidth);
  EXPECT_STREQ(path.c_str(), layout.pathText);
  EXPECT_EQ(m.Width(path), layout.pathWidth);
  EXPECT_EQ((cw - m.Width(path)) / 2, layout.pathX);
  EXPECT_EQ(th * 25 / 2, layout.pathY);
  EXPECT_EQ(layout.destinationLabel.x, layout.destinationHitRect.left);
  EXPECT_EQ(layout.destinationLabel.x + labelWidth,
            layout.destinationHitRect.right);
  EXPECT_EQ(11 * th, layout.destinationHitRect.top);
  EXPECT_EQ(14 * th, layout.destinationHitRect.bottom);
}

TEST(MainWindowLayout, TitleAndBeginLabelByMode) {
  MeasuringDC m;
  const int cw = 635;
  const int th = m.Height();
  struct {
    InstallMode mode;
    const char* title;
    const char* label;
  } modes[] = {
      {InstallMode::Full, "Orvel Full Installation!", "Begin Installation"},
      {InstallMode::Update, "Orvel Update!", "Begin Update"},
      {InstallMode::Uninstall, "Orvel UN-INSTALL!", "UN-INSTALL !!"},
  };
  for (const auto& mode : modes) {
    MainWindowLayout layout = LayOut(m, mode.mode, "c:\\Orvel\\", cw);
    ExpectCentred(m, cw, layout.title, mode.title, th);
    ExpectCentred(m, cw, layout.beginLabel, mode.label, 16 * th + 32);
  }
}

TEST(MainWindowLayout, PathUpTo576PixelsIsShownWhole) {
  MeasuringDC m;
  // The longest path whose boxed text still fits 576 pixels.
  std::string path = "c:\\";
  const std::string more = "Quillmere Orvel Data\\";
  for (size_t i = 0; m.Width("  " + path + more[i % more.size()] + "  ") <= 576;
       ++i)
    path += more[i % more.size()];
  const std::string fits = "  " + path + "  ";
  ASSERT_LE(m.Width(fits), 576);
  EXPECT_STREQ(fits.c_str(), LayOut(m, InstallMode::Full, path, 635).pathText);

  // One character more is shortened in its middle, once.
  path += "Q";
  const std::string text = "  " + path + "  ";
  const int w = m.Width(text);
  ASSERT_GT(w, 576);
  const int len = static_cast<int>(text.size());
  const int keep = static_cast<int>(len * (576.0 / w));
  const int drop = len - keep + 5;
  const int start = (len - drop) / 2;
  const std::string expected =
      text.substr(0, start) + "....." + text.substr(start + drop);
  MainWindowLayout layout = LayOut(m, InstallMode::Full, path, 635);
  EXPECT_EQ(expected, layout.pathText);
  EXPECT_EQ(static_cast<size_t>(keep), expected.size());
  EXPECT_EQ(m.Width(expected), layout.pathWidth);
}

// Every character 7 pixels wide, except the dots when `wideDots` is set.
TextExtent FixedWidth(void* wideDots, const char* text, int length) {
  int width = 0;
  for (int i = 0; i < length; ++i)
    width += (wideDots && text[i] == '.') ? 50 : 7;
  return {width, 20};
}

TEST(MainWindowLayout, HundredCharactersAtSevenHundredPixelsKeep82) {
  std::string path;
  for (int i = 0; i < 96; ++i)
    path += static_cast<char>('A' + i % 26);
  const std::string text = "  " + path + "  ";
  MainWindowLayout layout =
      LayOut(FixedWidth, nullptr, InstallMode::Full, path, 635);
  const std::string expected =
      text.substr(0, 38) + "....." + text.substr(100 - 39);
  EXPECT_EQ(expected, layout.pathText);
  EXPECT_EQ(82 * 7, layout.pathWidth);

  // Measured once: still wider than the limit afterwards, yet not
  // shortened again.
  int wide = 1;
  layout = LayOut(FixedWidth, &wide, InstallMode::Full, path, 635);
  EXPECT_EQ(expected, layout.pathText);
  EXPECT_EQ(77 * 7 + 5 * 50, layout.pathWidth);
}

TEST(MainWindowLayout, ScaledSizesRoundAsMulDiv) {
  for (int dpi : {72, 96, 120, 144, 168, 192, 288})
    for (int pixels : {-80, -1, 0, 1, 13, 16, 26, 32, 64, 150, 480, 640})
      EXPECT_EQ(MulDiv(pixels, dpi, 96), ScaledForDpi(pixels, dpi))
          << pixels << " at " << dpi;
}

// At each display scale the icon, the begin area around it and the path
// limit are those of 96 DPI scaled; the label stays under the icon.
TEST(MainWindowLayout, IconAndBeginAreaScaleWithTheDpi) {
  struct {
    int dpi, window, icon, growX, growY;
  } scales[] = {{96, 640, 32, 64, 26},
                {120, 800, 40, 80, 33},
                {144, 960, 48, 96, 39},
                {192, 1280, 64, 128, 52}};
  std::string path(200, 'Q');
  for (const auto& s : scales) {
    const int cw = s.window - 5;
    MainWindowLayoutInput input = {InstallMode::Full, path.c_str(), s.window,
                                   cw, s.dpi};
    MainWindowLayout l;
    LayOutMainWindow(input, FixedWidth, nullptr, &l);
    EXPECT_EQ(s.icon, l.iconSize) << s.dpi;
    EXPECT_EQ(cw / 2 - s.icon / 2, l.iconX) << s.dpi;
    EXPECT_EQ(16 * 20, l.iconY) << s.dpi;
    EXPECT_EQ(16 * 20 + s.icon, l.beginLabel.y) << s.dpi;
    LayoutRect expected = {l.iconX - s.growX, l.iconY - s.growY,
                           l.iconX + s.icon + s.growX,
                           l.iconY + s.icon + s.growY};
    EXPECT_EQ(expected.left, l.beginHitRect.left) << s.dpi;
    EXPECT_EQ(expected.top, l.beginHitRect.top) << s.dpi;
    EXPECT_EQ(expected.right, l.beginHitRect.right) << s.dpi;
    EXPECT_EQ(expected.bottom, l.beginHitRect.bottom) << s.dpi;
    // The path box is shortened to nine tenths of the scaled window.
    EXPECT_LE(l.pathWidth, s.window * 9 / 10) << s.dpi;
    EXPECT_GT(l.pathWidth, s.window * 9 / 10 - 7 * 6) << s.dpi;
  }
}

TEST(MainWindowLayout, LongestPathIsShortenedInsideItsBuffer) {
  MeasuringDC m;
  std::string path = "c:\\";
  while (path.size() < 774)
    path += "Orvel\\";
  path.resize(774);
  MainWindowLayout layout = LayOut(m, InstallMode::Full, path, 635);
  const std::string text = "  " + path + "  ";
  const int keep = static_cast<int>(778 * (576.0 / m.Width(text)));
  EXPECT_EQ(static_cast<size_t>(keep), strlen(layout.pathText));
  EXPECT_NE(nullptr, strstr(layout.pathText, "....."));
}

} // namespace
