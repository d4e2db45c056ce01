// What the editor relies on from the Win32 windows and controls themselves: the picture box's
// clearing, painting and pointer events, the scroll bar's and the list's events for the user's
// moves, the window's size, closing, and work put off to the message loop.

#include <array>
#include <functional>

#include "tests/support/EditorFixture.h"
#include "tests/win32/Win32Desktop.h"
#include "toolkit/win32/Win32Controls.h"
#include "toolkit/win32/Win32Surface.h"
#include "toolkit/win32/Win32Toolkit.h"
#include "toolkit/win32/Win32Window.h"

namespace korvane::win32::testing_desktop {
namespace {

using toolkit::Place;
using toolkit::WindowKind;

constexpr toolkit::Color kBlue{0, 0, 192}, kRed{200, 0, 0}, kGreen{0, 160, 0};

uint32_t Pixel(toolkit::Color c) {
  return uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
}

// Refresh clears and paints before it returns; showing or growing the box clears it and paints
// once the message loop runs; shrinking keeps the drawing; drawing outside the paint handler
// stays; the window shows what the bitmap holds.
TEST(Win32Surface, ClearsAndPaintsOnRefreshAndWhenUncoveredOrGrown) {
  Win32Window window(WindowKind::FixedTool, "Surface", 3000, 3000);
  auto& box = static_cast<Win32Surface&>(*window.AddSurface(Place{0, 0, 1500, 1500}));
  int paints = 0;
  box.SetBackColor(kBlue);
  box.onPaint = [&] {
    ++paints;
    box.FilledBox(0, 0, 150, 150, kRed);
  };
  const auto at = [&](int x, int y) { return box.Image().At(x, y) & 0xFFFFFF; };
  Settle();
  EXPECT_EQ(paints, 0);  // nothing of a hidden box can be seen
  window.SetVisible(true);
  EXPECT_TRUE(RunUntil([&] { return paints == 1; }));
  box.FilledBox(300, 300, 15, 15, kGreen);
  EXPECT_EQ(at(20, 20), Pixel(kGreen));
  box.Refresh();
  EXPECT_EQ(std::tuple(paints, at(20, 20), at(5, 5)), std::tuple(2, Pixel(kBlue), Pixel(kRed)));
  box.SetPlace(Place{0, 0, 2250, 2250});
  EXPECT_EQ(paints, 2);
  EXPECT_TRUE(RunUntil([&] { return paints == 3; }));
  EXPECT_EQ(box.Image().Width(), 150);
  box.FilledBox(600, 600, 15, 15, kGreen);
  box.SetPlace(Place{0, 0, 1500, 1500});
  Settle();
  EXPECT_EQ(std::tuple(paints, box.Image().Width(), at(40, 40)), std::tuple(3, 100, Pixel(kGreen)));
  EXPECT_EQ(FirstDifference(Shown(box.Handle()), 0, 0, box.Image(), 0, 0, 100, 100), "");
  // Pixels put in place cover their own rectangle and nothing beside it.
  const uint32_t two[] = {Pixel(kGreen), Pixel(kGreen)};
  box.PutPixels(300, 300, {two, 2, 1, 2});
  EXPECT_EQ((std::array{at(19, 20), at(20, 20), at(21, 20), at(22, 20), at(20, 21)}),
            (std::array{Pixel(kBlue), Pixel(kGreen), Pixel(kGreen), Pixel(kBlue), Pixel(kBlue)}));
}

// A picture copied larger than twice its size is stretched, each pixel to a block; circles and
// text are drawn in the foreground colour within their extent.
TEST(Win32Surface, StretchesPicturesAndDrawsCirclesAndText) {
  Win32Toolkit tk("", testing_support::FreshFolder());
  Win32Window window(WindowKind::FixedTool, "Surface", 3000, 3000);
  auto& box = static_cast<Win32Surface&>(*window.AddSurface(Place{0, 0, 1500, 1500}));
  box.SetBackColor(kBlue);
  box.SetForeColor(kGreen);
  box.Refresh();
  const toolkit::PicturePtr two = tk.PictureFromImage({2, 1, {kRed, kGreen}});
  box.PaintPicture(*two, 0, 0, 90, 45, 0, 0, 30, 15);  // 2 x 1 pixels onto 6 x 3
  std::string row;
  for (int x = 0; x < 7; ++x)
    row += box.Image().At(x, 2) == Pixel(kRed)     ? 'r'
           : box.Image().At(x, 2) == Pixel(kGreen) ? 'g'
                                                   : '.';
  EXPECT_EQ(row, "rrrggg.");
  // A picture made from pixels holds each in its place, also when its last row ends a page of
  // memory; pixels that do not fill the size make none.
  const std::array<int, 3> images[] = {{3, 2, 6}, {1024, 1, 1024}, {32, 32, 1024}, {2, 2, 3}};
  for (const auto& [w, h, n] : images) {  // width, height, pixels given
    toolkit::RgbImage image{w, h, {}};
    std::vector<uint32_t> want, got;
    for (int i = 0; i < n; ++i) image.pixels.push_back({uint8_t(i), uint8_t(i >> 8), 7});
    if (n == w * h)
      for (const toolkit::Color c : image.pixels) want.push_back(Pixel(c));
    const toolkit::PicturePtr picture = tk.PictureFromImage(image);
    const toolkit::PixelRows<const uint32_t> rows = tk.PicturePixels(*picture);
    for (int y = 0; y < rows.height; ++y) got.insert(got.end(), rows.Row(y), rows.Row(y) + w);
    EXPECT_EQ(got, want) << w << " x " << h << " " << n;
  }
  box.Circle(750, 750, 300);  // centre (50, 50), radius 20 pixels
  const auto at = [&](int x, int y) { return box.Image().At(x, y) & 0xFFFFFF; };
  EXPECT_EQ(std::tuple(at(70, 50), at(50, 30), at(50, 50), at(60, 50)),
            std::tuple(Pixel(kGreen), Pixel(kGreen), Pixel(kBlue), Pixel(kBlue)));
  box.SetCurrentX(150);
  box.SetCurrentY(1200);
  box.Print("88");
  const int w = static_cast<int>(box.TextWidth("88") / 15),
            h = static_cast<int>(box.TextHeight("88") / 15);
  int inside = 0, outside = 0;
  for (int y = 75; y < 100; ++y)
    for (int x = 5; x < 40; ++x)
      if (at(x, y) == Pixel(kGreen))
        ++(x >= 10 && x < 10 + w && y >= 80 && y < 80 + h ? inside : outside);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

// Each drawing outside the paint handler asks the screen to show what it touched: circles and
// text with two pixels more on each side, where GDI may draw beyond their extent.
TEST(Win32Surface, EachDrawingAsksToShowThePixelsItTouched) {
  Win32Toolkit tk("", testing_support::FreshFolder());
  Win32Window window(WindowKind::FixedTool, "Shown", 3000, 3000);
  auto& box = static_cast<Win32Surface&>(*window.AddSurface(Place{0, 0, 1500, 1500}));
  window.SetVisible(true);
  Settle();
  const toolkit::PicturePtr two = tk.PictureFromImage({2, 1, {kRed, kGreen}});
  const uint32_t one[] = {Pixel(kRed)};
  const toolkit::PixelRect line = toolkit::DottedLinePixels(150, 450, 750, 450, 15, 15);
  const int w = static_cast<int>(box.TextWidth("88") / 15),
            h = static_cast<int>(box.TextHeight("88") / 15);
  const std::pair<std::function<void()>, std::array<LONG, 4>> rows[] = {
      {[&] { box.FilledBox(150, 150, 30, 15, kRed); }, {10, 10, 13, 12}},
      {[&] {
         box.PutPixels(300, 300, {one, 1, 1, 1});
       },
       {20, 20, 21, 21}},
      {[&] { box.PaintPicture(*two, 0, 0, 90, 45, 0, 0, 30, 15); }, {0, 0, 6, 3}},
      {[&] { box.Circle(750, 750, 300); }, {28, 28, 73, 73}},
      {[&] { box.DottedLine(150, 450, 750, 450); },
       {line.x, line.y, line.x + line.width, line.y + line.height}},
      {[&] {
         box.SetCurrentX(150);
         box.SetCurrentY(1200);
         box.Print("88");
       },
       {8, 78, 12 + w, 82 + h}},
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    ::ValidateRect(box.Handle(), nullptr);
    rows[i].first();
    RECT shown{};
    ::GetUpdateRect(box.Handle(), &shown, FALSE);
    EXPECT_EQ((std::array{shown.left, shown.top, shown.right, shown.bottom}), rows[i].second) << i;
  }
}

// Each request of the user moves the value by one (small and large change alike) or to where the
// thumb is; dragging raises Scroll for each new value, and releasing the dragged thumb Change; a
// value the program sets is kept within the range and raises Change when it moves. A bar whose
// Min exceeds its Max runs backwards.
TEST(Win32ScrollBar, TheUsersMovesRaiseScrollWhileDraggingAndChangeOtherwise) {
  Win32Window window(WindowKind::FixedTool, "Bars", 3000, 3000);
  auto& bar = static_cast<Win32ScrollBar&>(*window.AddHScrollBar(Place{0, 0, 2000, 255}));
  std::string log;
  bar.onScroll = [&] { log += "s" + std::to_string(bar.Value()); };
  bar.onChange = [&] { log += "c" + std::to_string(bar.Value()); };
  bar.SetMin(1);
  EXPECT_EQ(log, "c1");  // 0 moved into the range
  bar.SetMax(5);
  EXPECT_EQ(log, "c1");  // 1 stays
  // clang-format off
  const struct {
    int request, track;  // request -1: the program sets the value `track`
    const char* raised;
    int position;  // of the native bar, from the Min end
  } moves[] = {
      {SB_LINERIGHT, 0, "c2", 1},  {SB_PAGERIGHT, 0, "c3", 2},     {SB_THUMBTRACK, 4, "s5", 4},
      {SB_THUMBTRACK, 4, "", 4},   {SB_THUMBPOSITION, 4, "c5", 4}, {SB_THUMBPOSITION, 4, "", 4},
      {SB_LINERIGHT, 0, "", 4},
      {SB_RIGHT, 0, "", 4},        {SB_LEFT, 0, "c1", 0},          {SB_PAGELEFT, 0, "", 0},
      {SB_THUMBTRACK, 9, "s5", 4}, {SB_ENDSCROLL, 0, "", 4},       {-1, 0, "c1", 0},
      {-1, 1, "", 0},              {-1, 5, "c5", 4},               {-1, 6, "", 4},
      {-1, 3, "c3", 2}};
  // clang-format on
  for (const auto& m : moves) {
    log.clear();
    m.request < 0 ? bar.SetValue(int16_t(m.track)) : bar.Scrolled(m.request, m.track);
    EXPECT_EQ(std::pair(log, ::GetScrollPos(bar.Handle(), SB_CTL)),
              std::pair(std::string(m.raised), m.position))
        << m.request << " " << m.track;
  }
  bar.SetMin(9);  // backwards: 9 at the left end, 5 (the value) at the right
  log.clear();
  ::SendMessageW(window.Handle(), WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(bar.Handle()));
  EXPECT_EQ(std::pair(log, ::GetScrollPos(bar.Handle(), SB_CTL)), std::pair(std::string("c6"), 3));
  // The native bar runs from 0 over the range's width, whichever way round and wherever it lies.
  const std::array<int, 5> ranges[] = {// Min, Max, Value; the native bar's end and position
                                       {0, 1, 1, 1, 1},   {1, 0, 1, 1, 0},
                                       {3, 3, 3, 0, 0},   {-3, 2, -2, 5, 1},
                                       {2, -3, -2, 5, 4}, {-32768, 32767, 0, 65535, 32768}};
  for (const auto& [min, max, value, end, position] : ranges) {
    bar.SetMin(int16_t(min));
    bar.SetMax(int16_t(max));
    bar.SetValue(int16_t(value));
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 9, 9, 0, 9, 0};
    ::GetScrollInfo(bar.Handle(), SB_CTL, &info);
    EXPECT_EQ(std::tuple(info.nMin, info.nMax, info.nPos), std::tuple(0, end, position))
        << min << " " << max;
  }
}

// The check box shows each value it takes (0, 1, 2 grey); other values are ignored, and only a
// change raises Click. A user's click turns a grey or clear box on and a ticked one off. A button
// raises Click for a click alone.
TEST(Win32CheckBox, ShowsEachValueAndRaisesClickOnlyForAChange) {
  Win32Window window(WindowKind::FixedTool, "Check", 3000, 3000);
  auto& box = static_cast<Win32CheckBox&>(*window.AddCheckBox("Grid", Place{0, 0, 1500, 300}));
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  const std::array<int, 3> steps[] = {// value set (-9: a user's click), value after, shown state
                                      {1, 1, BST_CHECKED},        {1, 1, BST_CHECKED},
                                      {2, 2, BST_INDETERMINATE},  {3, 2, BST_INDETERMINATE},
                                      {-1, 2, BST_INDETERMINATE}, {-9, 1, BST_CHECKED},
                                      {-9, 0, BST_UNCHECKED},     {0, 0, BST_UNCHECKED}};
  int changes = 0;
  for (const auto& [set, value, shown] : steps) {
    const int16_t before = box.Value();
    if (set == -9)
      box.Command(BN_CLICKED);
    else
      box.SetValue(int16_t(set));
    changes += box.Value() != before;
    EXPECT_EQ(std::tuple(box.Value(), ::SendMessageW(box.Handle(), BM_GETCHECK, 0, 0), clicks),
              std::tuple(int16_t(value), LRESULT(shown), changes))
        << set;
  }
  auto& undo = static_cast<Win32Button&>(*window.AddButton("Undo", Place{0, 300, 1500, 300}));
  undo.onClick = [&] { ++clicks; };
  for (const int code : {BN_SETFOCUS, BN_CLICKED, BN_KILLFOCUS}) undo.Command(code);
  EXPECT_EQ(clicks, changes + 1);
  // Controls speak in the dialog font of the system's shell, 8 points at the screen's resolution.
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(undo.Handle(), WM_GETFONT, 0, 0)),
               sizeof font, &font);
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Shell Dlg 2");
  EXPECT_EQ(font.lfHeight, -::MulDiv(8, dpi, 72));
}

// The client area is the size asked for wherever the window stands, also after menus are added
// to the hidden window's bar, even so many that the bar wraps onto more rows.
TEST(Win32Window, KeepsItsClientSizeWhereverItStandsAndAsItsMenuBarGrows) {
  const struct {
    float left, top, width, height;  // twips
    int menus;
  } windows[] = {{0, 0, 3000, 2000, 1}, {1500, 1200, 3000, 2000, 1}, {1500, 1200, 2250, 2000, 8}};
  for (const auto& w : windows) {
    Win32Window window(WindowKind::Main, "Main", w.width, w.height);
    window.Move(w.left, w.top);
    for (int i = 0; i < w.menus; ++i) window.AddMenu("&Menu " + std::to_string(i));
    RECT client{};
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ((toolkit::PixelRect{0, 0, client.right, client.bottom}),
              PixelsOf(0, 0, w.width, w.height))
        << w.top << " " << w.menus;
    // A new width keeps the height, and a new height the width.
    const float width = window.Width(), height = window.Height();
    window.SetWidth(width + 600);
    const float wider = window.Width();
    EXPECT_GT(wider, width);
    EXPECT_EQ(window.Height(), height) << w.top;
    window.SetHeight(height + 600);
    EXPECT_GT(window.Height(), height);
    EXPECT_EQ(window.Width(), wider) << w.top;
  }
}

// Where nothing is drawn a window shows the colour of buttons, as dialogs do.
TEST(Win32Window, ShowsTheButtonFaceWhereNothingIsDrawn) {
  Win32Window window(WindowKind::FixedTool, "Face", 1500, 1500);
  window.SetVisible(true);
  Settle();
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(Shown(window.Handle()).At(50, 50) & 0xFFFFFF,
            Pixel({GetRValue(face), GetGValue(face), GetBValue(face)}));
}

// Presses and releases report their own button, moves every button held, with Shift (1) and Ctrl
// (2), at the pointer's place in twips, also left of the box while a button holds the pointer;
// the box lets the pointer go with the last button.
TEST(Win32Surface, ReportsTheButtonsAndKeysOfEachPointerEvent) {
  Win32Window window(WindowKind::FixedTool, "Mouse", 3000, 3000);
  auto& box = static_cast<Win32Surface&>(*window.AddSurface(Place{0, 0, 1500, 1500}));
  std::string log;
  const auto record = [&log](const char* what) {
    return [&log, what](int16_t button, int16_t shift, float x, float y) {
      log = std::string(what) + std::to_string(button) + " " + std::to_string(shift) + " " +
            std::to_string(int(x)) + "," + std::to_string(int(y));
    };
  };
  box.onMouseDown = record("down ");
  box.onMouseMove = record("move ");
  box.onMouseUp = record("up ");
  const struct {
    UINT message;
    WPARAM keys;
    short x, y;
    const char* seen;
    bool held;
  } events[] = {
      {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 10, 20, "down 1 1 150,300", true},
      {WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON | MK_CONTROL, -5, 7, "move 3 2 -75,105", true},
      {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 1, 1, "down 2 0 15,15", true},
      {WM_LBUTTONUP, MK_RBUTTON, 1, 1, "up 1 0 15,15", true},
      {WM_RBUTTONUP, 0, 1, 1, "up 2 0 15,15", false},
      {WM_MBUTTONDOWN, MK_MBUTTON | MK_SHIFT | MK_CONTROL, 0, 0, "down 4 3 0,0", true},
      {WM_MBUTTONUP, 0, 0, 0, "up 4 0 0,0", false}};
  for (const auto& e : events) {
    ::SendMessageW(box.Handle(), e.message, e.keys, MAKELPARAM(e.x, e.y));
    EXPECT_EQ(std::pair(log, ::GetCapture() == box.Handle()),
              std::pair(std::string(e.seen), e.held));
  }
}

// The catalogue's list: a choice on the closed box counts at once, one in the open list once it
// is made (not while the keys move through the list); removing an entry keeps the chosen one
// chosen, or chooses none when it goes.
TEST(Win32ComboBox, AChoiceCountsOnceMadeAndRemovingKeepsTheChosenEntry) {
  Win32Window window(WindowKind::FixedTool, "List", 3000, 3000);
  window.SetVisible(true);
  auto& box = static_cast<Win32ComboBox&>(*window.AddComboBox(Place{0, 0, 2000, 300}));
  for (const char* entry : {"a", "b\xE9", "c", "d", "e"}) box.AddItem(entry);
  // The entry just added is the one whose data the catalogue sets next.
  box.SetItemData(box.NewIndex(), 77);
  EXPECT_EQ(std::tuple(box.NewIndex(), box.ItemData(4), box.ItemData(3)), std::tuple(4, 77, 0));
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  const struct {
    int code;
    bool open;
    int shown;  // the entry the user has moved to
    int16_t index;
    int clicks;
  } choices[] = {{CBN_SELCHANGE, false, 1, 1, 1},
                 {CBN_SELCHANGE, true, 2, 1, 1},
                 {CBN_SELENDOK, true, 2, 2, 2},
                 {CBN_SELENDCANCEL, false, 3, 2, 2},
                 {CBN_SELENDOK, false, -1, -1, 3}};
  for (const auto& c : choices) {
    ::SendMessageW(box.Handle(), CB_SHOWDROPDOWN, c.open, 0);
    ::SendMessageW(box.Handle(), CB_SETCURSEL, WPARAM(c.shown), 0);
    box.Command(c.code);
    EXPECT_EQ(std::pair(box.ListIndex(), clicks), std::pair(c.index, c.clicks)) << c.code;
  }
  ::SendMessageW(box.Handle(), CB_SHOWDROPDOWN, FALSE, 0);

  box.SetListIndex(2);  // "c"
  // The entry removed, the one chosen after, the number left.
  const std::array<int, 3> removals[] = {{4, 2, 4}, {0, 1, 3}, {3, 1, 3}, {-1, 1, 3}, {1, -1, 2}};
  for (const auto& [removed, index, count] : removals) {
    box.RemoveItem(int16_t(removed));
    EXPECT_EQ(std::tuple(box.ListIndex(), ::SendMessageW(box.Handle(), CB_GETCURSEL, 0, 0),
                         box.ListCount()),
              std::tuple(int16_t(index), LRESULT(index), int16_t(count)))
        << removed;
  }
  // A name from another code page is shown as Windows-1252 and given back byte for byte.
  EXPECT_EQ((std::array{box.List(-1), box.List(0), box.List(1), box.List(2)}),
            (std::array<std::string, 4>{"", "b\xE9", "d", ""}));
  wchar_t shown[8] = {};
  ::SendMessageW(box.Handle(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(std::wstring(shown), L"b\u00E9");
}

// The open list shows twelve whole entries before it needs its scroll bar.
TEST(Win32ComboBox, TheOpenListShowsTwelveWholeEntries) {
  Win32Window window(WindowKind::FixedTool, "Rows", 3000, 6000);
  window.SetVisible(true);
  auto& box = static_cast<Win32ComboBox&>(*window.AddComboBox(Place{0, 0, 2000, 300}));
  for (int i = 0; i < 30; ++i) box.AddItem(std::to_string(i));
  ::SendMessageW(box.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(::GetComboBoxInfo(box.Handle(), &info));
  RECT list{};
  ::GetClientRect(info.hwndList, &list);
  const auto row = static_cast<LONG>(::SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
  ::SendMessageW(box.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  ASSERT_GT(row, 0);
  EXPECT_EQ(list.bottom / row, 12) << list.bottom << " " << row;
}

// Work put off runs from the message loop, each once and in the order given (the overview redraws
// so after an edit); a request to end the program that pumping the messages meets stays for the
// main loop. The program's folder is where korvane.exe (here the tests) is.
TEST(Win32Toolkit, PutOffWorkRunsInOrderAndAnEndRequestOutlivesPumping) {
  Win32Toolkit tk("");
  std::string log;
  for (const char* work : {"a", "b", "c"}) tk.RunLater([&log, work] { log += work; });
  EXPECT_EQ(log, "");
  tk.DoEvents();
  EXPECT_EQ(log, "abc");
  ::PostQuitMessage(3);
  tk.DoEvents();
  MSG quit{};
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 3);
  const std::filesystem::path folder(Widen(tk.ExecutableFolder()));
  EXPECT_TRUE(folder.is_absolute() && std::filesystem::exists(folder / L"korvane_win32_tests.exe"))
      << tk.ExecutableFolder();
}

// Showing raises Resize once. Closing asks the owner first, and the owner may destroy the window
// while it unloads; closing the main window ends the message loop.
TEST(Win32Window, CloseAsksFirstAndTheOwnerMayDestroyTheWindowWhileUnloading) {
  Win32Toolkit tk("", testing_support::FreshFolder());
  std::unique_ptr<toolkit::Window> window = tk.CreateWindow(WindowKind::Main, "Main", 3000, 3000);
  int resizes = 0;
  window->onResize = [&] { ++resizes; };
  window->SetVisible(true);
  EXPECT_EQ(resizes, 1);
  // A tool window appears without taking the keyboard from the window the user works in.
  const HWND main = static_cast<Win32Window&>(*window).Handle();
  ::SetActiveWindow(main);
  for (const WindowKind kind : {WindowKind::SizableTool, WindowKind::FixedTool}) {
    const auto tool = tk.CreateWindow(kind, "Tool", 1500, 1500);
    tool->SetVisible(true);
    EXPECT_EQ(::GetActiveWindow(), main) << static_cast<int>(kind);
    // Closed, a window its owner keeps is only hidden.
    tool->onUnload = [] {};
    ::SendMessageW(static_cast<Win32Window&>(*tool).Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(tool->Visible()) << static_cast<int>(kind);
  }
  bool allow = false;
  window->onQueryUnload = [&] { return allow; };
  window->onUnload = [&] { window.reset(); };
  const HWND hwnd = static_cast<Win32Window&>(*window).Handle();
  ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(window && window->Visible());
  allow = true;
  ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(::IsWindow(hwnd));
  MSG quit{};
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace korvane::win32::testing_desktop
